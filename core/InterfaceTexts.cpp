// The shared tables of French interface texts.
#include "core/InterfaceTexts.h"

const char* const VersionKinds[4] = {"mise à jour majeure", "mise à jour mineure", "version de maintenance", "numéro"};

const char* const GoToTargets[10] = {
    "Page",   "&Numéro de la page :",    "Section", "&Numéro de la section :", "Paragraphe", "&Numéro du paragraphe :",
    "Ligne",  "&Numéro de la ligne :",   "Signet",  "&Choisir le signet :"};

const char* const ColumnPresets[8] = {"1 colonne", "3 colonnes", "5 colonnes", "Gauche",
                                      "2 colonnes", "4 colonnes", "6 colonnes", "Droite"};

const char* const ApplyToChoices[5] = {"à tout le document", "à partir de ce point", "à la sélection",
                                       "à cette section", "aux sections sélectionnées"};

const char* const ToolbarNames[4] = {"Standard", "Mise en forme", "Complémentaire", "Aperçu avant impression"};

const char* const CommandCategories[9] = {"Fichier", "Edition",  "Affichage", "Insertion",
                                          "Format",  "Outils",   "Fenêtre et Aide",
                                          "Commandes de menu spéciales", "Toutes les commandes"};

const char* const NumberBases[4] = {"binaire", "octale", "hexadécimale", "romaine"};

const char* const TabKindFormats[5] = {"%s", "%s centré", "%s aligné à droite", "%s alignement décimal",
                                       "%s barre d'alignement"};

const char* const UnderlineNames[18] = {
    "pas de soulignage",           "soulignage simple",
    "soulignage des mots",         "soulignage double",
    "soulignage en pointillé",     "soulignage épais",
    "tirets de soulignage",        "soulignage trait-point",
    "soulignage trait-point-point", "soulignage onduleux",
    "soulignage en pointillé épais", "tirets de soulignage épais",
    "soulignage trait-point épais", "soulignage trait-point-point épais",
    "soulignage onduleux épais",   "longs tirets de soulignage",
    "soulignage onduleux double",  "longs tirets de soulignage épais"};

const char* const FormattingMarks[18] = {
    "Marque de &paragraphe",       "Saut de lig&ne",     "Saut de c&olonne",
    "Saut de pa&ge",               "Saut de sec&tion",   "Ta&bulation",
    "&Image",                      "Ob&jet",             "Appel &de note",
    "&Espace insécable",           "Trait d'&union insécable", "Trait d'union &conditionnel",
    "Tiret c&adratin (long)",      "Tiret de&mi-cadratin (court)", "&Signe ^",
    "Tout ca&ractère",             "Tout c&hiffre",      "Toute &lettre"};

const char* const AddressBookCaptions[5] = {"Nouvelle adresse", "Modifier l'adresse",
                                            "Modifier le carnet d'adresses \"%s\"", "Choisir une adresse",
                                            "Choisir des adresses"};

const char* const HeaderFooterKinds[6] = {"En-tête de page paire", "En-tête de page impaire", "Pied de page paire",
                                          "Pied de page impaire", "En-tête de première page", "Pied de première page"};

const char* const OwnFileTypes[8] = {"Document Quillpad",
                                     "Document Quillpad crypté",
                                     "Jeu de boutons pour barre d'outils Quillpad",
                                     "Configuration de barre d'outils Quillpad",
                                     "Vérificateur orthographique Quillpad",
                                     "Module sonore Quillpad",
                                     "Configuration sonore Quillpad",
                                     "Palette de formats Quillpad"};

const char* const PasteSpecialFormats[5] = {"Texte sans mise en forme", "Texte UNICODE sans mise en forme",
                                            "Texte avec mise en forme (RTF)", "Métafichier", "Image Bitmap"};

const char* const ColorNames[17] = {"Automatique", "Noir",       "Bleu",       "Cyan",   "Vert vif", "Magenta",
                                    "Rouge",       "Jaune",      "Blanc",      "Bleu marine", "Cyan foncé",
                                    "Vert foncé",  "Violet",     "Bordeaux",   "Olive",  "Gris",     "Gris clair"};

const char* const DocumentFormatNames[7] = {"Document RTF",        "Document MS Word 6.0/95", "Document MS Word 97/2000/XP",
                                            "Document MS Write",   "Document COD crypté",     "Texte pur ANSI",
                                            "Texte pur DOS"};

const char* const PagesPerSheet[6] = {"1 page", "2 pages", "4 pages", "6 pages", "8 pages", "16 pages"};

const char* const PageSelections[3] = {"Pages paires et impaires", "Pages impaires", "Pages paires"};

const char* const WindowCaptions[6] = {"Nouveau document",
                                       "Modèle de document",
                                       "Copie de secours disponible",
                                       "Document restauré (copie de secours)",
                                       "Aperçu avant impression",
                                       "Document COD crypté"};

const char* const TypingModes[2] = {"Insertion", "Refrappe"};

const char* const BreakKinds[6] = {"Saut de page",
                                   "Saut de colonne",
                                   "Saut de section (Continu)",
                                   "Saut de section (Page suivante)",
                                   "Saut de section (Page paire)",
                                   "Saut de section (Page impaire)"};

const char* const ZoomKinds[4] = {"Largeur de page", "Largeur du texte", "Pages entières", "Deux pages"};

const char* const DefaultTemplates[2] = {"Normal.rtf", "Brouillon.rtf"};
