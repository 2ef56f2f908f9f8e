// The shared tables of French interface texts.
#include "core/InterfaceTexts.h"

const char* const VersionKinds[4] = {"mise à jour majeure", "mise à jour mineure", "version de maintenance",
                                     "numéro"};

const char* const GoToTargets[10] = {
    "Page",       "&Numéro de la page :",    "Section", "&Numéro de la section :",
    "Paragraphe", "&Numéro du paragraphe :", "Ligne",   "&Numéro de la ligne :",
    "Signet",     "&Choisir le signet :"};

const char* const ColumnPresets[8] = {"1 colonne",  "3 colonnes", "5 colonnes", "Gauche",
                                      "2 colonnes", "4 colonnes", "6 colonnes", "Droite"};

const char* const ApplyToChoices[5] = {"à tout le document", "à partir de ce point", "à la sélection",
                                       "à cette section", "aux sections sélectionnées"};

const char* const ToolbarNames[4] = {"Standard", "Mise en forme", "Complémentaire",
                                     "Aperçu avant impression"};

const char* const CommandCategories[9] = {"Fichier",
                                          "Edition",
                                          "Affichage",
                                          "Insertion",
                                          "Format",
                                          "Outils",
                                          "Fenêtre et Aide",
                                          "Commandes de menu spéciales",
                                          "Toutes les commandes"};

const char* const NumberBases[4] = {"binaire", "octale", "hexadécimale", "romaine"};

const char* const TabKindFormats[5] = {"%s", "%s centré", "%s aligné à droite", "%s alignement décimal",
                                       "%s barre d'alignement"};

const char* const UnderlineNames[18] = {"pas de soulignage",
                                        "soulignage simple",
                                        "soulignage des mots",
                                        "soulignage double",
                                        "soulignage en pointillé",
                                        "soulignage épais",
                                        "tirets de soulignage",
                                        "soulignage trait-point",
                                        "soulignage trait-point-point",
                                        "soulignage onduleux",
                                        "soulignage en pointillé épais",
                                        "tirets de soulignage épais",
                                        "soulignage trait-point épais",
                                        "soulignage trait-point-point épais",
                                        "soulignage onduleux épais",
                                        "longs tirets de soulignage",
                                        "soulignage onduleux double",
                                        "longs tirets de soulignage épais"};

const char* const FormattingMarks[18] = {"Marque de &paragraphe",
                                         "Saut de lig&ne",
                                         "Saut de c&olonne",
                                         "Saut de pa&ge",
                                         "Saut de sec&tion",
                                         "Ta&bulation",
                                         "&Image",
                                         "Ob&jet",
                                         "Appel &de note",
                                         "&Espace insécable",
                                         "Trait d'&union insécable",
                                         "Trait d'union &conditionnel",
                                         "Tiret c&adratin (long)",
                                         "Tiret de&mi-cadratin (court)",
                                         "&Signe ^",
                                         "Tout ca&ractère",
                                         "Tout c&hiffre",
                                         "Toute &lettre"};

const char* const AddressBookCaptions[5] = {"Nouvelle adresse", "Modifier l'adresse",
                                            "Modifier le carnet d'adresses \"%s\"", "Choisir une adresse",
                                            "Choisir des adresses"};

const char* const HeaderFooterKinds[6] = {"En-tête de page paire",    "En-tête de page impaire",
                                          "Pied de page paire",       "Pied de page impaire",
                                          "En-tête de première page", "Pied de première page"};

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

const char* const ColorNames[17] = {
    "Automatique", "Noir",       "Bleu",       "Cyan",   "Vert vif", "Magenta", "Rouge", "Jaune",     "Blanc",
    "Bleu marine", "Cyan foncé", "Vert foncé", "Violet", "Bordeaux", "Olive",   "Gris",  "Gris clair"};

const char* const DocumentFormatNames[7] = {
    "Document RTF",      "Document MS Word 6.0/95", "Document MS Word 97/2000/XP",
    "Document MS Write", "Document COD crypté",     "Texte pur ANSI",
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

const char* const OperationNames[60] = {"la commande",
                                        "la mise en page",
                                        "l'enregistrement de la sélection",
                                        "l'enregistrement de l'image",
                                        "la réduction du nombre de pages",
                                        "la mise en forme du paragraphe",
                                        "la mise en forme des tabulations",
                                        "l'application du style au document",
                                        "la modification des styles",
                                        "la mise en forme de la police",
                                        "l'application du pinceau à format",
                                        "le surlignage",
                                        "la modification de la couleur de police",
                                        "l'opération de collage",
                                        "la commande Coller tout le format",
                                        "la saisie de texte",
                                        "l'insertion de caractère",
                                        "l'insertion d'image",
                                        "l'insertion de fichier",
                                        "l'insertion de fonction",
                                        "l'effacement de texte",
                                        "le déplacement de texte",
                                        "le remplacement de texte",
                                        "la commande Tout remplacer",
                                        "la duplication de texte",
                                        "la réunion des paragraphes",
                                        "la séparation des paragraphes",
                                        "le tri des paragraphes",
                                        "la mise à jour des styles",
                                        "la conversion entre configurations clavier",
                                        "la mise en majuscules",
                                        "la mise en minuscules",
                                        "l'inversion de la casse",
                                        "la commande Majuscule en début de phrase",
                                        "la commande 1ère lettre des mots en majuscule",
                                        "le changement de jeu de caractères",
                                        "le calcul du résultat",
                                        "l'effacement du bloc sélectionné",
                                        "la mise en forme du bloc sélectionné",
                                        "la mise en forme de l'image",
                                        "l'application de modèle",
                                        "la correction de l'orthographe",
                                        "le changement de langue par défaut",
                                        "l'opération de Cliquer-taper",
                                        "la correction automatique",
                                        "la mise en forme des sections",
                                        "la mise en forme du signet",
                                        "la mise en forme du lien hypertexte",
                                        "la désactivation des liens hypertextes",
                                        "la création de table des matières",
                                        "l'insertion de champ",
                                        "la suppression de champ",
                                        "la mise à jour des champs",
                                        "la modification du saut de section",
                                        "la commande en-tête et pied de page",
                                        "la commande identique au précédent",
                                        "l'insertion de numéro de page",
                                        "la commande enveloppes",
                                        "la commande enregistrer comme insert",
                                        "l'insertion"};
