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
const char* const SpellCheckNotices[6] = {
    "Orthographe : l'option de vérification automatique n'est pas active.",
    "Orthographe : vérification en attente d'une modification du document (double-cliquez pour la relancer).",
    "Orthographe : aucune faute détectée.",
    "Orthographe : certains mots n'ont pas de langue ou pas de correcteur installé.",
    "Orthographe : fautes possibles détectées (double-cliquez pour les corriger).",
    "Orthographe : vérification en cours..."};

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

const char* const QuotationMarkPairs[4][2] = {{"“", "”"}, {"«", "»"}, {"„", "“"}, {"»", "«"}};

const char* const AutocorrectDescriptions[11] = {"Remplacer\r\"%s\" par\r\"%s\"",
                                                 "Deux majuscules initiales - Corriger",
                                                 "Utilisation erronée de la touche vERR.mAJ. - Corriger",
                                                 "Caractère en début de phrase - Mettre en majuscule",
                                                 "Remplacer les guillemets \"\"\rpar des guillemets %s",
                                                 "Espace(s) ou tabulation(s) superflue(s) - Supprimer",
                                                 "Espace manquante - Insérer une espace",
                                                 "Remplacer l'espace ordinaire\rpar une espace insécable",
                                                 "Ordinal - Mettre l'abréviation en exposant",
                                                 "Fraction - Mettre en indice et exposant (½)",
                                                 "Adresse Internet - la convertir en lien hypertexte"};

const char* const CalculatorFunctionDescriptions[97] = {
    "donne le cosinus de l'angle (en radians)",
    "donne le sinus de l'angle (en radians)",
    "donne la tangente de l'angle (en radians)",
    "donne la tangente de l'angle (en radians)",
    "donne la cotangente de l'angle (en radians)",
    "donne la cotangente de l'angle (en radians)",
    "donne la cotangente de l'angle (en radians)",
    "donne l'angle (en radians) dont le nombre est le cosinus",
    "donne l'angle (en radians) dont le nombre est le cosinus",
    "donne l'angle (en radians) dont le nombre est le sinus",
    "donne l'angle (en radians) dont le nombre est le sinus",
    "donne l'angle (en radians) dont le nombre est la tangente",
    "donne l'angle (en radians) dont le nombre est la tangente",
    "donne l'angle (en radians) dont le nombre est la tangente",
    "donne le cosinus hyperbolique du nombre",
    "donne le sinus hyperbolique du nombre",
    "donne la tangente hyperbolique du nombre",
    "donne la tangente hyperbolique du nombre",
    "donne l'argument cosinus hyperbolique du nombre",
    "donne l'argument sinus hyperbolique du nombre",
    "donne l'argument tangente hyperbolique du nombre",
    "donne l'argument tangente hyperbolique du nombre",
    "donne le logarithme népérien du nombre",
    "donne le logarithme décimal du nombre",
    "donne le logarithme binaire du nombre",
    "donne l'exponentielle du nombre",
    "donne la racine carrée du nombre",
    "donne la valeur absolue du nombre",
    "donne la partie entière du nombre",
    "donne le nombre arrondi à l'entier le plus proche",
    "donne la partie décimale du nombre",
    "convertit un angle de degrés en radians",
    "convertit un angle de radians en degrés",
    "convertit un nombre binaire en nombre décimal",
    "convertit un nombre octal en nombre décimal",
    "convertit un nombre hexadécimal en nombre décimal",
    "convertit un nombre écrit en chiffres romains en chiffres arabes",
    "convertit un nombre décimal en nombre binaire",
    "convertit un nombre décimal en nombre octal",
    "convertit un nombre décimal en nombre hexadécimal",
    "écrit un nombre en chiffres romains",
    "convertit des centimètres en pouces",
    "convertit des centimètres en pieds",
    "convertit des centimètres en yards",
    "convertit des centimètres en mètres",
    "convertit des pouces en centimètres",
    "convertit des pouces en pieds",
    "convertit des pouces en yards",
    "convertit des pouces en mètres",
    "convertit des pieds en centimètres",
    "convertit des pieds en pouces",
    "convertit des pieds en yards",
    "convertit des pieds en mètres",
    "convertit des yards en centimètres",
    "convertit des yards en pouces",
    "convertit des yards en pieds",
    "convertit des yards en mètres",
    "convertit des yards en kilomètres",
    "convertit des yards en miles",
    "convertit des mètres en centimètres",
    "convertit des mètres en pouces",
    "convertit des mètres en pieds",
    "convertit des mètres en yards",
    "convertit des mètres en kilomètres",
    "convertit des mètres en miles",
    "convertit des kilomètres en yards",
    "convertit des kilomètres en mètres",
    "convertit des kilomètres en miles",
    "convertit des miles en yards",
    "convertit des miles en mètres",
    "convertit des miles en kilomètres",
    "convertit des grammes en onces",
    "convertit des grammes en livres",
    "convertit des grammes en kilogrammes",
    "convertit des onces en grammes",
    "convertit des onces en livres",
    "convertit des onces en kilogrammes",
    "convertit des livres en grammes",
    "convertit des livres en onces",
    "convertit des livres en kilogrammes",
    "convertit des livres en tonnes",
    "convertit des kilogrammes en grammes",
    "convertit des kilogrammes en onces",
    "convertit des kilogrammes en livres",
    "convertit des kilogrammes en tonnes",
    "convertit des tonnes en livres",
    "convertit des tonnes en kilogrammes",
    "convertit des pintes en litres",
    "convertit des pintes en gallons",
    "convertit des litres en pintes",
    "convertit des litres en gallons",
    "convertit des gallons en pintes",
    "convertit des gallons en litres",
    "convertit des degrés Fahrenheit en degrés Celsius",
    "convertit des degrés Celsius en degrés Fahrenheit",
    "convertit des acres en hectares",
    "convertit des hectares en acres",
};

const char* const SpecialCharacters[17] = {"Tiret cadratin (long)",
                                           "Tiret demi-cadratin (court)",
                                           "Trait d'union insécable",
                                           "Trait d'union conditionnel",
                                           "Espace insécable",
                                           "Points de suspension",
                                           "Copyright",
                                           "Marque déposée",
                                           "Marque commerciale",
                                           "Paragraphe",
                                           "Section",
                                           "Guillemet simple ouvrant",
                                           "Guillemet simple fermant",
                                           "Guillemet double ouvrant",
                                           "Guillemet double fermant",
                                           "Guillemet français ouvrant",
                                           "Guillemet français fermant"};

namespace {

constexpr uint8_t Number = froNumberFormat, Date = froDateFormat, Time = froTimeFormat;

} // namespace

const TDocumentPropertyField DocumentPropertyFields[23] = {
    {15, "", 0, "Titre du document",
     "Le titre du document tel qu'on le trouve dans les Propriétés du document (menu Fichier | Propriétés du "
     "document...)"},
    {16, "", 0, "Sujet du document",
     "Le sujet du document tel qu'on le trouve dans les Propriétés du document (menu Fichier | Propriétés du "
     "document...)"},
    {19, "", 0, "Commentaires du document",
     "Les commentaires du document tels qu'on les trouve dans les Propriétés du document (menu Fichier | "
     "Propriétés du document...)"},
    {18, "", 0, "Mots clés",
     "Les mots clés du document tels qu'on les trouve dans les Propriétés du document (menu Fichier | "
     "Propriétés "
     "du document...)"},
    {17, "", 0, "Auteur du document",
     "Le nom de l'auteur du document tel qu'on le trouve dans les Propriétés du document (menu Fichier | "
     "Propriétés du document...)"},
    {20, "", 0, "Auteur du dernier enreg.", "L'auteur du dernier enregistrement du document"},
    {29, "", 0, "Nom du fichier", "Nom du fichier sans son chemin"},
    {29, "\\p", 0, "Nom du fichier avec son chemin", "Le nom du fichier avec son chemin"},
    {69, "", Number, "Taille du fichier en octets", "La taille du fichier en octets"},
    {69, "\\k", Number, "Taille du fichier en kilo-octets", "La taille du fichier en kilo-octets"},
    {21, "", Date, "Créé le",
     "La date du premier enregistrement du document telle qu'on la trouve dans les Statistiques (menu Outils "
     "| "
     "Statistiques...)"},
    {22, "", Date, "Date du dernier enreg.",
     "La date du dernier enregistrement du document telle qu'on la trouve dans les Statistiques (menu Outils "
     "| "
     "Statistiques...)"},
    {23, "", Date, "Dernière impression",
     "La date de la dernière impression du document telle qu'on la trouve dans les Statistiques (menu Outils "
     "| "
     "Statistiques...)"},
    {31, "", Date, "Date courante", "La date en cours sur votre système"},
    {32, "", Time, "Heure actuelle", "L'heure actuelle sur votre système"},
    {26, "", Number, "Nombre de pages",
     "Le nombre total de pages du document tel qu'on le trouve dans les Statistiques (menu Outils | "
     "Statistiques...)"},
    {27, "", Number, "Nombre de mots",
     "Le nombre total de mots du document tel qu'on le trouve dans les Statistiques (menu Outils | "
     "Statistiques...)"},
    {28, "", Number, "Nombre de caractères",
     "Le nombre total de caractères (espaces non compris) du document tel qu'on le trouve dans les "
     "Statistiques (menu Outils | Statistiques...)"},
    {33, "", Number, "Numéro de page courante", "Le numéro de la page correspondante"},
    {65, "", Number, "Numéro de la section courante", "Le numéro de la section correspondante"},
    {66, "", Number, "Nombre de pages de la section", "Le nombre total de pages de la section courante"},
    {37, "", froNoCase | Number | froBookmark, "Renvoi de page",
     "Le numéro de la page où se trouve le signet sélectionné ci-dessous"},
    {10, "", froStyle | froSearchDirection, "Reprise de style",
     "Contenu du paragraphe le plus proche ayant le style requis"},
};

const TBuiltInColorScheme BuiltInColorSchemes[34] = {
    {"Standard", ""},
    {"Le Grand Bleu", "00401D060099592E00FFF6F000BF9D86008C664D0059392400EDD8CA00B38D7400FFF3EB00331705007335"
                      "0B00A69285001F6899"},
    {"Humeur Moutarde", "00063340002E819900F0FCFF0086B3BF004D7E8C00244D5900CAE5ED0074A5B300EBFBFF00052933000B"
                        "5C7300859EA600993A1F"},
    {"Nuit Blanche", "00F2E1DA00CC7452002E221E00805B4D001A14120099786B004D3C3600382C270066575200E6D5CF00E6825"
                     "C008C827E009245E6"},
    {"Vert Prairie", "00064012002E994300F0FFF30086BF91004D8C5A0024592E00CAEDD10074B38100EBFFEF0005330E000B732"
                     "00085A68B00991F81"},
    {"Lavande", "0040062300992E6300FFF0F700BF86A3008C4D6D0059243E00EDCADB00B3749300FFEBF50033051C00730B3F00A6"
                "8595001F995C"},
    {"Terre de Sienne", "00061840002E4E9900F0F4FF008697BF004D608C0024345900CAD4ED007487B300EBF1FF00051333000B"
                        "2A7300858FA60099741F"},
    {"Ardoise", "004024060099662E00FFF8F000BFA486008C6E4D0059402400EDDCCA00B3957400FFF5EB00331D050073410B00A6"
                "9685001F5999"},
    {"Coquelicot", "00060640002E2E9900F0F0FF008686BF004D4D8C0024245900CACAED007474B300EBEBFF00050533000B0B730"
                   "08585A60099991F"},
    {"Sable Chaud", "00062940002E6E9900F0F9FF0086A8BF004D738C0024445900CADFED00749AB300EBF7FF00052133000B4973"
                    "008598A60099501F"},
    {"Lagon", "004040060099992E00FFFFF000BFBF86008C8C4D0059592400EDEDCA00B3B37400FFFFEB003333050073730B00A6A6"
              "85001F1F99"},
    {"Forêt Profonde", "00104006003F992E00F2FFF0008FBF8600578C4D002C592400CFEDCA007EB37400EEFFEB000C3305001C7"
                       "30B008AA68500851F99"},
    {"Aubergine", "0040063F00992E9700FFF0FF00BF86BE008C4D8B0059245800EDCAEC00B374B100FFEBFF0033053200730B7100"
                  "A685A5001F9921"},
    {"Pêche", "00061E40002E5B9900F0F6FF00869EBF004D688C00243A5900CAD9ED00748EB300EBF3FF00051833000B3773008593"
              "A60099661F"},
    {"Menthe à l'Eau", "002440060066992E00F8FFF000A4BF86006E8C4D0040592400DCEDCA0095B37400F5FFEB001D330500417"
                       "30B0096A68500591F99"},
    {"Brume Grise", "00401D060099592E00FFF6F000BF9D86008C664D0059392400EDD8CA00B38D7400FFF3EB003317050073350B"
                    "00A69285001F6899"},
    {"Crépuscule", "0040061200992E4300FFF0F300BF8691008C4D5A0059242E00EDCAD100B3748100FFEBEF0033050E00730B200"
                   "0A6858B001F9981"},
    {"Bord de Mer", "004035060099862E00FFFCF000BFB586008C814D0059502400EDE7CA00B3A77400FFFBEB00332B050073600B"
                    "00A6A085001F3599"},
    {"Chocolat", "00061B40002E549900F0F5FF00869BBF004D648C0024375900CAD6ED00748BB300EBF2FF00051633000B3173008"
                 "591A600996D1F"},
    {"Citron Vert", "0006402D002E997700F0FFFA0086BFAD004D8C780024594800CAEDE20074B39F00EBFFF800053324000B7352"
                    "0085A69B00991F46"},
    {"Glacier", "00402F060099792E00FFFAF000BFAE86008C794D0059492400EDE2CA00B3A07400FFF9EB003325050073540B00A6"
                "9C85001F4399"},
    {"Rose Thé", "00180640004E2E9900F4F0FF009786BF00604D8C0034245900D4CAED008774B300F1EBFF00130533002A0B73008"
                 "F85A60074991F"},
    {"Océan Indien", "0040280600996C2E00FFF9F000BFA786008C724D0059432400EDDECA00B3987400FFF6EB003320050073470"
                     "B00A69885001F5299"},
    {"Automne", "00062240002E619900F0F7FF0086A1BF004D6B8C00243D5900CADBED007492B300EBF4FF00051B33000B3D730085"
                "95A600995E1F"},
    {"Olivier", "0006403B002E999000F0FFFE0086BFBB004D8C870024595500CAEDEA0074B3AE00EBFFFD0005332F000B736A0085"
                "A6A300991F28"},
    {"Ciel d'Orage", "00F2DEDA00CC6552002E201E0080554D001A13120099726B004D393600382A270066555200E6D2CF00E6725"
                     "C008C807E007F45E6"},
    {"Papier Ancien", "00062C40002E759900F0FAFF0086ACBF004D778C0024475900CAE1ED00749DB300EBF8FF00052333000B50"
                      "7300859AA60099481F"},
    {"Cerise", "0011064000412E9900F2F0FF009086BF00584D8C002D245900D0CAED007F74B300EEEBFF000D0533001E0B73008B8"
               "5A60083991F"},
    {"Turquoise", "00394006008C992E00FDFFF000B8BF8600858C4D0053592400E9EDCA00ABB37400FDFFEB002D33050066730B00"
                  "A2A685002D1F99"},
    {"Violette", "0040062D00992E7700FFF0FA00BF86AD008C4D780059244800EDCAE200B3749F00FFEBF80033052400730B5200A"
                 "6859B001F9946"},
    {"Miel", "00063040002E7B9900F0FBFF0086AFBF004D7B8C00244A5900CAE3ED0074A1B300EBF9FF00052633000B567300859CA"
             "60099411F"},
    {"Charbon", "00DADAF2005252CC001E1E2E004D4D800012121A006B6B990036364D002727380052526600CFCFE6005C5CE6007E"
                "7E8C0045E665"},
    {"Jardin Japonais", "00064008002E993000F0FFF00086BF87004D8C4E0024592500CAEDCA0074B37500EBFFEB00053306000B"
                        "730E0085A68500991F97"},
    {"Contraste Élevé", "00FFFFFF0000FFFF000000000000FFFF0040404000FFFFFF00000000006060600000000000FFFFFF0000"
                        "FFFF008080800000FF00"},
};
