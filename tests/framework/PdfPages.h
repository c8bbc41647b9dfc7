#pragma once
// Counts the pages of a PDF that the printer wrote: each page object, not the page tree; and
// reads back the text on them.

#include <zlib.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

inline int PdfPageCount(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string pdf((std::istreambuf_iterator<char>(in)), {});
    int count = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
         at = pdf.find("/Type /Page", at + 1)) {
        count += pdf.compare(at, 12, "/Type /Pages") != 0;
    }
    return count;
}

// The text of each page of a PDF the printer wrote, a line for each run of text (BT .. ET)
// in the order drawn: streams inflated, glyphs read back through each font's ToUnicode map.
// Enough for the PDFs Qt writes; not a reader of every PDF.
namespace pdf_text {

struct Object {
    std::string dict;
    std::string stream; // inflated
};

inline std::string Inflate(const std::string& raw) {
    std::string out(raw.size() * 8 + 1024, '\0');
    for (;;) {
        uLongf size = static_cast<uLongf>(out.size());
        const int r =
            uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                       reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()));
        if (r == Z_BUF_ERROR) {
            out.resize(out.size() * 2);
            continue;
        }
        out.resize(r == Z_OK ? size : 0);
        return out;
    }
}

inline std::map<int, Object> Objects(const std::string& pdf) {
    std::map<int, Object> objects;
    for (std::size_t at = pdf.find(" 0 obj"); at != std::string::npos;
         at = pdf.find(" 0 obj", at + 1)) {
        std::size_t digits = at;
        while (digits > 0 && std::isdigit(static_cast<unsigned char>(pdf[digits - 1]))) {
            --digits;
        }
        const std::size_t end = pdf.find("endobj", at);
        const std::string body = pdf.substr(at + 6, end - at - 6);
        Object o;
        const std::size_t s = body.find("stream");
        o.dict = body.substr(0, s);
        if (s != std::string::npos) {
            std::size_t from = s + 6;
            from += body[from] == '\r' ? 2 : 1;
            const std::string raw = body.substr(from, body.rfind("endstream") - from);
            o.stream = o.dict.find("/FlateDecode") != std::string::npos ? Inflate(raw) : raw;
        }
        objects[std::stoi(pdf.substr(digits, at - digits))] = o;
    }
    return objects;
}

// The object number after a key: "/Contents 13 0 R" gives 13; 0 for none.
inline int Ref(const std::string& dict, const std::string& key) {
    const std::size_t at = dict.find(key + " ");
    return at == std::string::npos ? 0 : std::atoi(dict.c_str() + at + key.size() + 1);
}

inline std::string Utf8(unsigned code) {
    if (code == '\t') {
        code = ' '; // Qt maps the blank's glyph to the tab it shares it with
    }
    std::string s;
    if (code < 0x80) {
        s += static_cast<char>(code);
    } else if (code < 0x800) {
        s += static_cast<char>(0xC0 | (code >> 6));
        s += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (code >> 12));
        s += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (code & 0x3F));
    }
    return s;
}

// A ToUnicode map: glyph to text, from its bfchar and bfrange sections.
inline std::map<unsigned, std::string> ToUnicode(const std::string& cmap) {
    std::map<unsigned, std::string> map;
    std::istringstream in(cmap);
    std::vector<std::string> words{std::istream_iterator<std::string>(in), {}};
    const auto hex = [](const std::string& w) {
        return static_cast<unsigned>(std::stoul(w.substr(1, w.size() - 2), nullptr, 16));
    };
    std::string section;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i] == "beginbfchar" || words[i] == "beginbfrange") {
            section = words[i];
        } else if (words[i].rfind("endbf", 0) == 0) {
            section.clear();
        } else if (section == "beginbfchar" && i + 1 < words.size()) {
            map[hex(words[i])] = Utf8(hex(words[i + 1]));
            ++i;
        } else if (section == "beginbfrange" && i + 2 < words.size()) {
            const unsigned first = hex(words[i]);
            const unsigned last = hex(words[i + 1]);
            if (words[i + 2] == "[" || words[i + 2][0] == '[') {
                std::size_t j = i + 2;
                std::string w = words[j] == "[" ? words[++j] : words[j].substr(1);
                for (unsigned g = first; g <= last && j < words.size(); ++g) {
                    map[g] = Utf8(hex(w));
                    w = ++j < words.size() ? words[j] : "]";
                }
                i = words[j] == "]" ? j : j - 1;
            } else {
                for (unsigned g = first; g <= last; ++g) {
                    map[g] = Utf8(hex(words[i + 2]) + (g - first));
                }
                i += 2;
            }
        }
    }
    return map;
}

} // namespace pdf_text

inline std::vector<std::vector<std::string>> PdfTextPages(const std::string& file) {
    using namespace pdf_text;
    std::ifstream in(file, std::ios::binary);
    const std::map<int, Object> objects =
        Objects(std::string((std::istreambuf_iterator<char>(in)), {}));
    const auto object = [&objects](int n) {
        const auto found = objects.find(n);
        return found == objects.end() ? Object{} : found->second;
    };
    std::vector<std::vector<std::string>> pages;
    for (const auto& [number, page] : objects) {
        if (page.dict.find("/Type /Page\n") == std::string::npos) {
            continue;
        }
        const std::string fonts = object(Ref(page.dict, "/Resources")).dict;
        std::vector<std::string> lines;
        std::map<unsigned, std::string> glyphs;
        std::istringstream content(object(Ref(page.dict, "/Contents")).stream);
        std::string last, before, word;
        while (content >> word) {
            if (word == "BT") {
                lines.emplace_back();
            } else if (word == "Tf") {
                glyphs =
                    ToUnicode(object(Ref(object(Ref(fonts, before)).dict, "/ToUnicode")).stream);
            } else if (word == "Tj" && last.size() > 2 && last[0] == '<' && !lines.empty()) {
                for (std::size_t g = 1; g + 4 <= last.size() - 1; g += 4) {
                    lines.back() +=
                        glyphs[static_cast<unsigned>(std::stoul(last.substr(g, 4), nullptr, 16))];
                }
            }
            before = last;
            last = word;
        }
        pages.push_back(lines);
    }
    return pages;
}
