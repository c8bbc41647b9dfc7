#include "framework/TResources.h"

#include <QImage>

#include <map>
#include <mutex>

namespace {

struct Store {
    std::map<int, TDialogTemplate> dialogs;
    std::map<int, std::vector<TMenuItem>> menus;
    std::map<int, std::string> strings;
    std::map<int, QImage> bitmaps; // registered, or drawn by the art source on first use
    std::map<int, QImage> icons;
    TResources::ArtSource art;
};

Store& TheStore() {
    static Store store;
    return store;
}

const QImage* Cached(std::map<int, QImage>& images, int id) {
    auto found = images.find(id);
    if (found == images.end()) {
        const TResources::ArtSource& art = TheStore().art;
        found = images.emplace(id, art ? art(id) : QImage()).first;
    }
    return found->second.isNull() ? nullptr : &found->second;
}

} // namespace

void TResources::AddDialog(int id, TDialogTemplate dialog) {
    TheStore().dialogs[id] = std::move(dialog);
}

const TDialogTemplate* TResources::Dialog(int id) {
    const auto& dialogs = TheStore().dialogs;
    const auto found = dialogs.find(id);
    return found == dialogs.end() ? nullptr : &found->second;
}

void TResources::AddMenu(int id, std::vector<TMenuItem> popups) {
    TheStore().menus[id] = std::move(popups);
}

const std::vector<TMenuItem>* TResources::Menu(int id) {
    const auto& menus = TheStore().menus;
    const auto found = menus.find(id);
    return found == menus.end() ? nullptr : &found->second;
}

void TResources::AddString(int id, std::string text) {
    TheStore().strings[id] = std::move(text);
}

std::string TResources::String(int id) {
    const auto& strings = TheStore().strings;
    const auto found = strings.find(id);
    return found == strings.end() ? std::string() : found->second;
}

void TResources::AddBitmap(int id, const QImage& image) {
    TheStore().bitmaps[id] = image;
}

const QImage* TResources::Bitmap(int id) {
    return Cached(TheStore().bitmaps, id);
}

const QImage* TResources::Icon(int id) {
    return Cached(TheStore().icons, id);
}

void TResources::SetArtSource(ArtSource source) {
    Store& store = TheStore();
    store.art = std::move(source);
    // Numbers looked up before there was a source are drawn anew; registered pictures stay.
    for (auto* images : {&store.bitmaps, &store.icons}) {
        std::erase_if(*images, [](const auto& entry) { return entry.second.isNull(); });
    }
}
