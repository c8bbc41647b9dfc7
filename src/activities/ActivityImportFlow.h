#pragma once
// File > Import Activities, and files dropped on the main window: the files and folders are
// read (with a box and Cancel when there are many), previewed, and their days stored in one
// step when the user says Import; every open tool then reloads.

#include <string>
#include <vector>

class ClientWindow;

class ActivityImportFlow {
public:
    // The unit of imported distances in vrl.ini: "km" or "mi".
    static constexpr const char* kUnitKey = "IMPORTUNIT";
    // The folder the last import's files were chosen in, where the file dialog opens next.
    static constexpr const char* kFolderKey = "IMPORTFOLDER";

    // The dialogs' templates, and the command with its drop, with the shell.
    static void Register();

    explicit ActivityImportFlow(ClientWindow& client);

    void ChooseFiles();
    void Import(const std::vector<std::string>& operands);

private:
    ClientWindow& client;
};
