// The components, the install queue, the worker thread and the installation's registry values.
#include "setup/InstallWorker.h"

#include <windows.h>

#include "classlib/runtime/Files.h"
#include "classlib/runtime/Registry.h"
#include "setup/AttachedFiles.h"
#include "setup/InstallLog.h"
#include "setup/WorkerChannel.h"

const TComponentInfo SetupComponents[8] = {
    {"Traitement de texte Quillpad",
     "Quillpad.exe\nLicence.txt\nFile_id.diz\nLisez-moi.txt\nDistribution.txt"},
    {"Aide d'Quillpad", "Quillpad.chm"},
    {"Vérificateur d'orthographe française",
     "French.qsc\nfrancais.zlx\nlexique de la geographie.zlx\nlexique des noms propres.zlx\npersodicfr.tlx\n"
     "ssce5332.dll"},
    {"Vérificateurs d'orthographe anglaise",
     "English (American).qsc\nEnglish "
     "(British).qsc\nenglish.zlx\nus.zlx\nuk.zlx\nuserdicen.tlx\nssce5332.dll"},
    {"Modèles de document", "Modèles de document\\"},
    {"Lettres types et exemples de document", "Exemples\\"},
    {"Collections d'inserts", "Collections d'inserts\\"},
    {"Module sonore standard", "Standard.qsn\nQuillpad.qsd"},
};

const char* const InstallKey = "Software\\Blue Heron Works, Inc.\\Quillpad.1_x\\Install";
const char* const UninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillpad Bright Ink";

std::string DefaultDestination()
{
    TRegistry reg(TRegistryRoot::LocalMachine);
    std::string dir;
    if (reg.OpenKeyReadOnly("Software\\Microsoft\\Windows\\CurrentVersion"))
        dir = reg.ReadString("ProgramFilesDir");
    if (dir.empty())
        dir = "C:\\Program Files";
    if (dir.back() != '\\' && dir.back() != '/')
        dir += '\\';
    return dir + "Quillpad";
}

TInstallChoices ReadInstallChoices()
{
    TInstallChoices choices;
    choices.Destination = DefaultDestination();
    TRegistry reg(TRegistryRoot::CurrentUser);
    if (reg.OpenKeyReadOnly(InstallKey)) {
        auto read = [&](const char* name, std::string& value) {
            if (reg.ValueExists(name))
                value = reg.ReadString(name);
        };
        if (reg.ValueExists("CREATE_PRG_GRP"))
            choices.CreateGroup = reg.ReadString("CREATE_PRG_GRP") == "A";
        read("GROUP", choices.Group);
        read("MAINDIR", choices.Destination);
        read("COMPONENTS_FR (1.1)", choices.ComponentLetters);
        read("EXTENSIONS", choices.ExtensionLetters);
        read("SHORTCUTS", choices.ShortcutLetters);
        if (reg.ValueExists("LAUNCH"))
            choices.Launch = reg.ReadString("LAUNCH") == "A";
    }
    if (reg.OpenKeyReadOnly("Software\\Blue Heron Works, Inc.\\Quillpad.1_x\\ClipLib"))
        choices.ClipLibFolder = reg.ReadString("Folder");
    return choices;
}

void SaveInstallation(const TInstallChoices& choices)
{
    try {
        TRegistry reg(TRegistryRoot::CurrentUser);
        reg.OpenKey(InstallKey, true);
        reg.WriteString("CREATE_PRG_GRP", choices.CreateGroup ? "A" : "");
        reg.WriteString("GROUP", choices.Group);
        reg.WriteString("MAINDIR", choices.Destination);
        reg.WriteString("COMPONENTS_FR (1.1)", choices.ComponentLetters);
        reg.WriteString("EXTENSIONS", choices.ExtensionLetters);
        reg.WriteString("SHORTCUTS", choices.ShortcutLetters);
        reg.WriteString("LAUNCH", choices.Launch ? "A" : "");
        TRegistry machine(TRegistryRoot::LocalMachine);
        machine.OpenKey(UninstallKey, true);
        machine.WriteString("DisplayName", "Quillpad Bright Ink");
        machine.WriteString("UninstallString",
                            "\"" + IncludeTrailingPathDelimiter(choices.Destination) + "Quillpad.exe\" -ui");
    } catch (const Exception& e) {
        PlainMessage(e.Message, 1, 1u << 2);
    }
    InstallLog.Save();
}

namespace {

void RenameFolder(const std::string& from, const std::string& to)
{
    MoveFileA(from.c_str(), to.c_str());
}

// The templates of older versions, moved into the subfolders of today's templates folder.
struct TTemplateMove {
    const char* Subfolder;
    const char* Pattern; // a name, or a name with "%d" and a range
    int First, Last;
};
const TTemplateMove TemplateMoves[] = {
    {"Quillpad", "Bulletin de commande pour le logiciel Quillpad.rtf", 0, 0},
    {"Quillpad", "Demande de support technique concernant Quillpad.rtf", 0, 0},
    {"Divers", "Conte.rtf", 0, 0},
    {"Divers", "Voeux de Noël.rtf", 0, 0},
    {"Lettres commerciales", "Lettre commerciale %d.rtf", 1, 3},
    {"Lettres officielles", "CV.rtf", 0, 0},
    {"Lettres officielles", "Lettre officielle %d.rtf", 1, 3},
    {"Lettres officielles", "Lettre recommandée avec AR.rtf", 0, 0},
    {"Lettres personnelles", "Lettre personnelle %d.rtf", 1, 5},
    {"Mémos", "Mémo %d.rtf", 1, 3},
    {"Tables des matières", "Table des matières %d.rtf", 1, 7},
    {"Télécopies", "Fax %d.rtf", 1, 3},
};

void MoveOldTemplates(const std::string& templates)
{
    for (const TTemplateMove& move : TemplateMoves) {
        for (int n = move.First; n <= move.Last; ++n) {
            char name[128];
            snprintf(name, sizeof(name), move.Pattern, n);
            std::string old = templates + name;
            if (!FileExists(old))
                continue;
            std::string folder = templates + move.Subfolder + "\\";
            ForceFoldersLogged(folder);
            if (CopyFileA(old.c_str(), (folder + name).c_str(), FALSE))
                DeleteFileA(old.c_str());
        }
    }
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

void BuildInstallQueue(TAttachedFiles& files, const std::string& destination, uint8_t mask,
                       const std::string& clipLibFolder)
{
    const std::string d = IncludeTrailingPathDelimiter(destination);
    auto queue = [&](const char* name, const std::string& folder, int mode, int component) {
        files.QueueFiles(name, folder, mode, component);
    };
    auto remove = [&](const std::string& relative) { DeleteFileA((d + relative).c_str()); };
    for (int i = 0; i < ComponentCount; ++i)
        files.ClearComponent(i);

    for (const char* name :
         {"Quillpad.exe", "Licence.txt", "File_id.diz", "Lisez-moi.txt", "Distribution.txt"})
        queue(name, d, imIfDifferent, 0);
    if (mask & 2)
        queue("Quillpad.chm", d, imIfDifferent, 1);
    if (mask & 12) {
        RenameFolder(d + "Spellcheck", d + "Orthographe");
        TRegistry reg(TRegistryRoot::CurrentUser);
        if (reg.OpenKeyReadOnly("Software\\Blue Heron Works, Inc.\\Quillpad.1_x\\SpellCheck") &&
            reg.ValueExists("Systems")) {
            std::string systems = reg.ReadString("Systems");
            ReplaceAll(systems, d + "Spellcheck", d + "Orthographe");
            try {
                reg.OpenKey("Software\\Blue Heron Works, Inc.\\Quillpad.1_x\\SpellCheck", false);
                reg.WriteString("Systems", systems);
            } catch (const Exception&) {}
        }
    }
    const std::string spelling = d + "Orthographe", bin = spelling + "\\Bin", lex = spelling + "\\Lex";
    if (mask & 4) {
        queue("ssce5332.dll", bin, imIfDifferent, 2);
        remove("Orthographe\\Bin\\ssce.drv");
        remove("Orthographe\\Bin\\ssce_fr.drv");
        queue("French.qsc", spelling, imIfMissing, 2);
        for (const char* name :
             {"francais.zlx", "lexique de la geographie.zlx", "lexique des noms propres.zlx"})
            queue(name, lex, imIfDifferent, 2);
        {
            TLogSuspension suspended;
            queue("persodicfr.tlx", lex, imIfMissing, 2);
        }
        remove("Orthographe\\Lex\\french.zlx");
        remove("Orthographe\\Lex\\Villes_et_villages_de_France.zlx");
    }
    if (mask & 8) {
        if (!(mask & 4)) {
            queue("ssce5332.dll", bin, imIfDifferent, 3);
            remove("Orthographe\\Bin\\ssce.drv");
        }
        queue("English (American).qsc", spelling, imIfMissing, 3);
        queue("English (British).qsc", spelling, imIfMissing, 3);
        for (const char* name : {"english.zlx", "us.zlx", "uk.zlx"})
            queue(name, lex, imIfDifferent, 3);
        {
            TLogSuspension suspended;
            queue("userdicen.tlx", lex, imIfMissing, 3);
        }
        for (const char* name : {"correcten.zlx", "ssceam.zlx", "ssceam2.zlx", "sscebr2.zlx", "ssceoz.zlx"})
            remove(std::string("Orthographe\\Lex\\") + name);
    }
    if (mask & 16) {
        TLogSuspension suspended;
        RenameFolder(d + "Templates", d + "Modèles de document");
        queue("Modèles de document\\", d, imIfMissing, 4);
        MoveOldTemplates(d + "Modèles de document\\");
    }
    if (mask & 32)
        queue("Exemples\\", d, imIfDifferent, 5);
    if (mask & 64) {
        TLogSuspension suspended;
        std::string clips = clipLibFolder.empty() ? d + "Collections d'inserts" : clipLibFolder;
        StripFirstFolder = true;
        queue("Collections d'inserts\\", clips, imIfMissing, 6);
        StripFirstFolder = false;
        for (const char* name : {"Images\\Réveils\\Réveil 8.ico", "Images\\Coeurs\\Coeur.tga",
                                 "Images\\Symboles\\Terrassier 3.gif", "Images\\Symboles\\Terrassier 4.gif",
                                 "Images\\Sourires\\Émoticône.pcx"})
            remove(name);
        if (DirectoryExists(d + "Images")) {
            ForceFoldersLogged(IncludeTrailingPathDelimiter(clips) + "Images");
            CopyTreeLogged(d + "Images", IncludeTrailingPathDelimiter(clips) + "Images");
            RemoveTree(d + "Images");
        }
    }
    if (mask & 128) {
        queue("Standard.qsn", d, imIfDifferent, 7);
        TLogSuspension suspended;
        queue("Quillpad.qsd", d, imIfMissing, 7);
    }
    remove("Unwise.exe");
    remove("Unwise.ini");
}

TInstallThread::TInstallThread(TAttachedFiles& files) : FFiles(files)
{
    FThread = std::thread([this] { Execute(); });
}

TInstallThread::~TInstallThread()
{
    Join();
}

void TInstallThread::Join()
{
    if (FThread.joinable())
        FThread.join();
}

void TInstallThread::Execute()
{
    try {
        for (int i = 0; i < ComponentCount && WorkerChannel.State() != wsFinished; ++i) {
            const auto& queue = FFiles.Queue(i);
            if (queue.empty())
                continue;
            WorkerChannel.CurrentComponent = static_cast<uint8_t>(i);
            for (const TFileToInstall& file : queue) {
                bool ok;
                if (!file.Logged) {
                    TLogSuspension suspended;
                    ok = FFiles.ExtractFile(file.File, {}, file.Destination);
                } else {
                    ok = FFiles.ExtractFile(file.File, {}, file.Destination);
                }
                if (!ok) {
                    WorkerChannel.SetState(wsFailed);
                    return;
                }
                WorkerChannel.BytesDone += file.File->Size;
                WorkerChannel.NotifyProgress();
                WorkerChannel.WaitWhileHeld();
                if (WorkerChannel.State() == wsFinished)
                    break;
            }
            WorkerChannel.WaitWhileHeld();
        }
    } catch (...) {
        WorkerChannel.SetState(wsFailed);
        return;
    }
    WorkerChannel.SetState(wsFinished);
}
