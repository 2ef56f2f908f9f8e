// Path, file and folder helpers: temporary files, folder walks, sizes, drives, shortened paths,
// captions, code pages of Unicode characters and link texts.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Temporary files live in the temporary folder with names beginning "~Quillp".
std::string GetTempFolder();
std::string GetUniqueTempFileName(const std::string& ext);
std::string GetUniquePlainTempFileName(const std::string& ext);
enum TTempFileKind { tfTmp = 0, tfQad = 1, tfRtf = 2, tfBmp = 3 };
std::string GetTempFileNameOfKind(TTempFileKind kind);
bool CanWriteTempFile(const std::string& name);
// Deletes the program's temporary files and folders, unless another copy of the program runs.
void DeleteTempFiles();

// Folders.
bool FolderExists(const std::string& folder);
bool IsFolderEmpty(const std::string& folder);
// Every file of the tree matching the mask: in each folder the sub-folders first, then its own files.
void FindFilesInTree(const std::string& folder, const std::string& mask, std::vector<std::string>& list);
// The full path of every sub-folder of the tree.
void ListSubfolders(const std::string& folder, std::vector<std::string>& list);
// Deletes every file of the tree and then its folders, the folder itself last.
void DeleteFolderTree(const std::string& folder);
// Removes each direct sub-folder that is empty.
void RemoveEmptySubfolders(const std::string& folder);
// Copies the tree; existing files are overwritten or kept by the flag; excluded paths are skipped.
void CopyFolderTree(const std::string& source, const std::string& dest, bool overwrite,
                    const std::vector<std::string>& excluded);

// Sizes: the file's size (0 when it cannot be opened), sizes rounded up to whole allocation units of
// their drive, and sizes as French text ("12 octets", "64 Ko", "2 Mo", "16,00 Mo").
int64_t GetFileSizeByName(const std::string& name);
int64_t GetClusterSize(const std::string& folder);
int64_t FileSizeOnDisk(const std::string& name);
int64_t FolderSizeOnDisk(const std::string& folder);
std::string FormatByteSize(int64_t size);
std::string FormatFileSize(const std::string& name);
std::string FormatFolderSize(const std::string& folder);

// The local date and time of a file's creation (kind 0) or last write (kind 1); now when the file is
// missing.
enum TFileTimeKind { ftCreation = 0, ftModification = 1 };
double GetFileDateTime(const std::string& name, TFileTimeKind kind);
double GetFileCreationTime(const std::string& name);
double GetFileModificationTime(const std::string& name);
// The calendar day number of a date (days since 30 December 1899): whole days between two dates are
// the difference of their numbers, across months and years alike.
int32_t ApproxDayNumber(double date);

// Drives.
std::string GetPathDriveRoot(const std::string& path);
bool IsRemovableDrive(const std::string& path);
bool IsProgramOnRemovableDrive();

// The name of the logged-in user; empty when it cannot be read.
std::string GetLoginUserName();

// Writes the text as lines (CR LF after each) to the file.
void SaveTextToFile(const std::string& name, const std::string& text);

// The path shortened to fit MaxWidth as TextWidth measures it: the file name alone when full paths are
// not shown; otherwise folders after the first replaced by "..." one by one from the left.
std::string ShortenPath(const std::function<int(const std::string&)>& textWidth, const std::string& path,
                        int maxWidth);

// Captions.
std::string EscapeAmpersands(const std::string& text);
std::string CaptionWithShortcut(const std::string& caption);

// Code pages.
int32_t CodePageForUnicodeChar(uint32_t ch, int32_t def);
int32_t BestCodePageForText(const uint16_t* text, int count, int32_t def);
void CopySymbolChars(const uint16_t* wide, char* ansi, int count);
void TranslateBytes(char* buffer, int count, const uint8_t table[256]);

// Links.
bool IsShortcutFile(const std::string& name);
std::string ReadInternetShortcutUrl(const std::string& text);
bool HasUrlPrefix(const std::string& text);
bool IsLinkLikeText(const std::string& text);
