// Zipping open documents: the zip commands' proposed name and dialog, and the archive written from each
// document's own file, or from a temporary save of a document that has none up to date; the zip sent by
// e-mail.
#pragma once
#include <functional>
#include <string>
#include <vector>

class TDocument;

// The name the zip commands propose: the document's name with ".zip" when one document is zipped (or
// only one is open), else "<count>_documents.zip".
std::string ProposedZipName(const std::vector<TDocument*>& open, const TDocument* active, bool activeOnly);
// Writes the documents into a new zip archive; false, after telling the user, when a document could not
// be saved or the archive could not be written (then no archive is left).
bool ZipDocuments(const std::vector<TDocument*>& documents, const std::string& zipName);
// Zip (202, the active document) and Zip all (225): the save dialog, then the archive.
void ZipCommand(bool activeOnly);

// Zip and send (305, the active document) and Zip and send all (325): the archive written in the
// temporary folder, handed to the system's mail program, then deleted.
void ZipAndSendCommand(bool activeOnly);
// The name of the archive that zip and send writes: the document's name with ".zip" when one document
// is sent, else "<count>_docs.zip".
std::string SentZipName(const std::vector<TDocument*>& open, const TDocument* active, bool activeOnly);
// Hands files (";"-joined paths and names) to the system's mail program; false, after telling the user,
// when there is none or it failed. Replaceable so that a test can look at what would be sent.
using TMailSender = std::function<bool(const std::string& paths, const std::string& names)>;
TMailSender& MailSender();
bool SendFilesByMail(const std::string& paths, const std::string& names);
