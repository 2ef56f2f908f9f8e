// The main window's document dialogs: open (with the read-only choice) and save as, each with its folder
// history.
#pragma once
#include <string>
#include <vector>

class TExOpenDialog;
class TExSaveDialog;
struct TSaveDialogRequest;

TExOpenDialog& OpenDocDialog();
TExSaveDialog& SaveAsDialog();

// The open dialog over the document filter; the chosen files, none when cancelled. ReadOnly tells
// whether the user asked to open them read-only.
std::vector<std::string> AskDocumentsToOpen(const std::string& initialName, bool& readOnly);
// The save dialog as a save command asks for it; true with the chosen name and filter index.
bool RunSaveDialog(TSaveDialogRequest& request);
