// File types and associations: the program's own file types in the shell, binding extensions to them
// while remembering what they pointed to before, undoing that one by one or all at once, the "-assoc"
// and "-iscs" switches, and the associations and document-formats dialogs.
#pragma once
#include <string>

#include "core/Options.h"

// The program's file types, in their fixed order; the first two are documents.
struct TFileTypeInfo {
    const char* Extension;
    const char* ProgId;
    const char* Description;
};
extern const TFileTypeInfo FileTypes[8];
constexpr int LastDocumentType = 1;

extern const char* const FileAssocKey; // under the current user: "FileAssoc"
extern const char* const SpellCheckKey;

// The extension in lower case with its leading dot.
std::string NormalizeExtension(const std::string& extension);
// Types that run code or belong to the system, which the program never takes over.
bool IsRefusedExtension(const std::string& extension);

// Writes the ProgID keys of the eight types, for the program at ProgramFile.
void RegisterFileTypes(const std::string& programFile);
// Binds the extension to its own type, or to the document type; with Record set it joins "FileAssoc".
// False, with nothing written, for a refused extension.
bool AssociateExtension(const std::string& extension, bool record, const std::string& programFile);
// Gives the extension back what it pointed to before, unless another program took it over since.
void RestoreExtension(const std::string& extension);
// Restores every recorded extension, last first, then the program's own types.
void RestoreAllAssociations();
// The "-assoc" switch: extensions separated by "_" (none: all eight types).
void AssociateSwitch(const std::string& value, const std::string& programFile);
// The "-iscs" switch: appends ";" and the value to the spell-check systems list.
void InstallSpellCheckersSwitch(const std::string& value);
// The extensions recorded and still bound to the program, without their dots.
std::string AssociatedExtensions(); // one a line

// The associations dialog "Types de fichiers associés".
void ExecuteAssociateDialog();

// The dialog "Formats et modèles de document" on a copy of the record, the templates being looked for in
// TemplatesFolder; true and the record written back on OK.
bool ExecuteDocFmtAssocDialog(TDefaultDocTemplates& record, const std::string& templatesFolder);
