// The main window's document dialogs: open (with the read-only choice), save as and save as zip, each
// with its folder history.
#pragma once
#include <string>
#include <vector>

class TExOpenDialog;
class TExSaveDialog;
class TSavePictureDialog;
struct TSaveDialogRequest;

TExOpenDialog& OpenDocDialog();
TExSaveDialog& SaveAsDialog();
TExSaveDialog& SaveAsZipDialog();
TSavePictureDialog& SavePictureDialog();

// The open dialog over the document filter; the chosen files, none when cancelled. ReadOnly tells
// whether the user asked to open them read-only.
std::vector<std::string> AskDocumentsToOpen(const std::string& initialName, bool& readOnly);
// The save dialog as a save command asks for it; true with the chosen name and filter index.
bool RunSaveDialog(TSaveDialogRequest& request);
// The zip dialog under a title, proposing FileName; true with the chosen name in FileName.
bool AskZipFileName(std::string& fileName, const std::string& title);
