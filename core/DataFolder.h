// The program's data folder and the folders kept in it.
#pragma once
#include <string>

// The data folder, ending in a backslash; empty until the start-up sequence sets it.
const std::string& DataFolder();
// Sets the data folder (a backslash is added when it does not end in one).
void SetDataFolder(const std::string& folder);
// The folder of document templates: the data folder's "Modèles de document"; empty without a data folder.
std::string TemplatesFolder();
// A settings file name: unchanged when it holds a folder, else the data folder's file of that name.
std::string ResolveSettingsFileName(const std::string& fileName);
