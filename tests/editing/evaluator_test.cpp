// The calculator: the grammar's examples, each function family, the error messages and their spans,
// and the display form of results.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "classlib/runtime/Format.h"
#include "editing/Evaluator.h"

namespace {

// The tests write and read numbers with the French separators, whatever the machine's locale.
class EvaluatorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = FormatSettings;
        FormatSettings.DecimalSeparator = ',';
    }
    void TearDown() override { FormatSettings = saved; }
    TFormatSettings saved;
};

struct TValueCase {
    const char* Text;
    long double Expected;
};

TEST_F(EvaluatorTest, ExpressionsGiveTheirValues)
{
    const long double pi = std::numbers::pi_v<long double>, e = std::numbers::e_v<long double>;
    const TValueCase cases[] = {
        {"2(3+4)", 14},
        {"(1+2)(3+4)", 21},
        {"2pi", 2 * pi},
        {"2PI", 2 * pi},
        {"pi 2", 2 * pi},
        {"2e", 2 * e},
        {"2 3", 6},
        {"1 000", 0},
        {"1E+3", 1000},
        {"1E+3+1", 1001},
        {"2e-1", 0.2L},
        {"2*(-3)", -6},
        {"-cos(0)", -1},
        {"--3", 3},
        {"/4", 0.25L},
        {"8:2", 4},
        {"8·2", 16},
        {"12*3", 36},
        {"  7 - 2 - 1  ", 4},
        {"200+10%", 220},
        {"200-10%", 180},
        {"50%", 50},
        {"200*10%", 4000},
        {"2^3^2", 64},
        {"2^(-1)", 0.5L},
        {"0!", 1},
        {"1!", 1},
        {"5!", 120},
        {"3,5+1.5", 5},
        {"3cos(0)", 3},
        {"cos (0)", 1},
        {"(2)pi", 2 * pi},
        {"HexEnDec(0xFF)", 255},
        {"HexEnDec($FF)", 255},
        {"HexEnDec(FFh)", 255},
        {"hexendec( ff )", 255},
        {"BinEnDec(101b)", 5},
        {"BinEnDec(-101)", -5},
        {"OctEnDec(17o)", 15},
        {"RomainEnArabe(MCMXCIX)", 1999},
        {"RomainEnArabe(mcmxcix)", 1999},
    };
    for (const auto& c : cases) {
        TExpressionEvaluationResult r = EvaluateExpression(c.Text, true);
        ASSERT_TRUE(r.Success) << c.Text << ": " << r.ErrorMessage;
        EXPECT_NEAR(static_cast<double>(r.Value), static_cast<double>(c.Expected), 1e-12) << c.Text;
        EXPECT_FALSE(r.TextResult) << c.Text;
    }
}

TEST_F(EvaluatorTest, ComputesInExtendedPrecision)
{
    // 1e-18 is below the precision of a 64-bit double next to 1, not of the 80-bit extended format.
    TExpressionEvaluationResult r = EvaluateExpression("(1+1e-18)-1", true);
    ASSERT_TRUE(r.Success);
    EXPECT_GT(r.Value, 0.9e-18L);
    EXPECT_LT(r.Value, 1.1e-18L);
    // 1000! is far beyond a double and within the extended range.
    r = EvaluateExpression("1000!", true);
    ASSERT_TRUE(r.Success);
    EXPECT_NEAR(static_cast<double>(std::log10(r.Value)), 2567.6046, 1e-3);
}

TEST_F(EvaluatorTest, FunctionFamilies)
{
    const long double pi = std::numbers::pi_v<long double>;
    const TValueCase cases[] = {
        {"cos(pi)", -1},
        {"sin(pi/2)", 1},
        {"tan(pi/4)", 1},
        {"tg(pi/4)", 1},
        {"cot(pi/4)", 1},
        {"cotan(pi/4)", 1},
        {"ctg(pi/4)", 1},
        {"arccos(-1)", pi},
        {"acos(1)", 0},
        {"arcsin(1)", pi / 2},
        {"asin(0)", 0},
        {"arctan(1)", pi / 4},
        {"atan(1)", pi / 4},
        {"arctg(0)", 0},
        {"cosh(0)", 1},
        {"sinh(0)", 0},
        {"tanh(0)", 0},
        {"tgh(0)", 0},
        {"arccosh(1)", 0},
        {"arcsinh(0)", 0},
        {"arctanh(0)", 0},
        {"arctgh(0)", 0},
        {"ln(e)", 1},
        {"lg(1000)", 3},
        {"logb(8)", 3},
        {"exp(0)", 1},
        {"sqrt(16)", 4},
        {"abs(-2,5)", 2.5L},
        {"trunc(-2,7)", -2},
        {"round(2,5)", 2},
        {"round(3,5)", 4},
        {"frac(2,75)", 0.75L},
        {"DegEnRad(180)", pi},
        {"RadEnDeg(pi)", 180},
        {"CmEnPouce(2,54)", 2.54L * 0.3937007874015748L},
        {"PouceEnPied(24)", 2},
        {"PiedEnMetre(3,28)", 1},
        {"YardEnPied(2)", 6},
        {"MileEnKm(1)", 1.60934L},
        {"KmEnYard(1)", 1094},
        {"LivreEnOnce(2)", 32},
        {"GallonEnPinte(1)", 8},
        {"FahrEnCels(212)", 100},
        {"CelsEnFahr(100)", 212},
        {"HectEnAcre(1)", 2.4710455240716898L},
    };
    for (const auto& c : cases) {
        TExpressionEvaluationResult r = EvaluateExpression(c.Text, true);
        ASSERT_TRUE(r.Success) << c.Text << ": " << r.ErrorMessage;
        EXPECT_NEAR(static_cast<double>(r.Value), static_cast<double>(c.Expected), 1e-12) << c.Text;
    }
}

TEST_F(EvaluatorTest, ConversionsToANotationGiveText)
{
    const std::pair<const char*, const char*> cases[] = {
        {"DecEnHex(255)", "FF"}, {" DecEnHex(255) ", "FF"},          {"DecEnBin(5)", "101"},
        {"DecEnOct(-8)", "-10"}, {"ArabeEnRomain(1999)", "MCMXCIX"}, {"ArabeEnRomain(4)", "IV"},
    };
    for (const auto& [text, expected] : cases) {
        TExpressionEvaluationResult r = EvaluateExpression(text, true);
        ASSERT_TRUE(r.Success) << text << ": " << r.ErrorMessage;
        EXPECT_TRUE(r.TextResult) << text;
        EXPECT_EQ(r.Text, expected) << text;
    }
}

struct TErrorCase {
    const char* Text;
    const char* Message;
    int32_t Pos;
    int32_t Length;
};

TEST_F(EvaluatorTest, ErrorsGiveTheirMessageAndSpan)
{
    const char* notParam =
        "La fonction DecEnHex ne peut pas être utilisée comme paramètre d'une autre fonction ou "
        "comme opérande d'une opération.";
    const TErrorCase cases[] = {
        {"", "Expression manquante.", 0, 0},
        {"   ", "Expression manquante.", 3, 0},
        {"2*-3", "Expression manquante.", 2, 0},
        {"1/0", "Division par zéro.", 2, 1},
        {"/0", "Division par zéro.", 1, 1},
        {"5:(2-2)", "Division par zéro.", 2, 5},
        {"(-8)^(1/3)", "La plage des valeurs pour la variable est de [0, +~) (valeur de la variable : -8).",
         0, 4},
        {"2,5!", "La variable doit être un entier (valeur de la variable : 2,5).", 0, 3},
        {"1001!", "La plage des valeurs pour la variable est de [0, 1000] (valeur de la variable : 1001).", 0,
         4},
        {"cot(0)",
         "La plage des valeurs pour la variable est de (-~, 0)U(0, +~) (valeur de la variable : 0).", 4, 1},
        {"ln(0)", "La plage des valeurs pour la variable est de (0, +~) (valeur de la variable : 0).", 3, 1},
        {"lg(-1)", "La plage des valeurs pour la variable est de (0, +~) (valeur de la variable : -1).", 3,
         2},
        {"sqrt(-4)", "La plage des valeurs pour la variable est de [0, +~) (valeur de la variable : -4).", 5,
         2},
        {"arcsin(2)", "La plage des valeurs pour la variable est de [-1, 1] (valeur de la variable : 2).", 7,
         1},
        {"arccosh(0,5)",
         "La plage des valeurs pour la variable est de [1, +~) (valeur de la variable : 0,5).", 8, 3},
        {"trunc(3e9)",
         "La plage des valeurs pour la variable est de [-2147483648, 2147483647] (valeur de la variable : "
         "3000000000).",
         6, 3},
        {"DecEnBin(2,5)", "La variable doit être un entier (valeur de la variable : 2,5).", 9, 3},
        {"ArabeEnRomain(0)", "la variable doit être un entier positif (valeur de la variable : 0).", 14, 1},
        {"ArabeEnRomain(2e7)",
         "La plage des valeurs pour la variable est de [1, 10000000] (valeur de la variable : 20000000).", 14,
         3},
        {"1+DecEnHex(255)", notParam, 2, 13},
        {"(DecEnHex(255))", notParam, 1, 13},
        {"foo", "Constante inconnue \"foo\".", 0, 3},
        {"foo(1)", "Fonction inconnue \"foo\".", 0, 3},
        {"cos(1", "Parenthèse fermante \")\" manquante.", 5, 0},
        {"HexEnDec(G1)", "\"G1\" n'est pas une constante valide en notation hexadécimale.", 9, 2},
        {"BinEnDec(102)", "\"102\" n'est pas une constante valide en notation binaire.", 9, 3},
        {"RomainEnArabe(MXA)", "\"MXA\" n'est pas une constante valide en notation romaine.", 14, 3},
        {"RomainEnArabe()", "\"\" n'est pas une constante valide en notation romaine.", 14, 0},
        {"1e4000*1e4000", "Dépassement de capacité.", 0, 13},
    };
    for (const auto& c : cases) {
        TExpressionEvaluationResult r = EvaluateExpression(c.Text, true);
        EXPECT_FALSE(r.Success) << c.Text;
        EXPECT_EQ(r.ErrorMessage, c.Message) << c.Text;
        EXPECT_EQ(r.ErrorPos, c.Pos) << c.Text;
        EXPECT_EQ(r.ErrorLength, c.Length) << c.Text;
    }
}

TEST_F(EvaluatorTest, LongAndDeepTextsEndInAMessage)
{
    std::string longName(100, 'x');
    TExpressionEvaluationResult r = EvaluateExpression(longName, true);
    EXPECT_EQ(r.ErrorMessage, "Constante inconnue \"" + std::string(64, 'x') + "...\".");
    // Parentheses nested far deeper than any expression are refused, never a stack overflow.
    std::string deep = std::string(20000, '(') + "1" + std::string(20000, ')');
    r = EvaluateExpression(deep, true);
    EXPECT_FALSE(r.Success);
    EXPECT_EQ(r.ErrorMessage, "Dépassement de capacité.");
    r = EvaluateExpression(std::string(50, '(') + "1" + std::string(50, ')'), true);
    EXPECT_TRUE(r.Success);
}

TEST_F(EvaluatorTest, ResultsShowAsTheSettingsSay)
{
    EXPECT_EQ(FormatEvaluationResult(1.0L / 3), "0,333333");
    EXPECT_EQ(FormatEvaluationResult(1e12L), "1,000000E+012");
    EXPECT_EQ(FormatEvaluationResult(-1e12L), "-1,000000E+012");
    EXPECT_EQ(FormatEvaluationResult(1e-300L * 1e-300L), "0");
    EXPECT_EQ(FormatEvaluationResult(4), "4");
    EXPECT_EQ(FormatEvaluationResult(10), "10");
    EXPECT_EQ(FormatEvaluationResult(-2.5L), "-2,5");
    EXPECT_EQ(FormatEvaluationResult(9999999999.0L), "9999999999");
    EXPECT_EQ(FormatEvaluationResult(123456.789L, {3, 2}), "1,23E+005");
    EXPECT_EQ(FormatEvaluationResult(2.0L / 3, {10, 2}), "0,67");
    EXPECT_EQ(FormatEvaluationResult(1e2000L), "1,000000E+2000");
}

TEST_F(EvaluatorTest, FunctionTableAndDescriptions)
{
    EXPECT_EQ(FindEvaluatorFunction("COS  "), 1);
    EXPECT_EQ(FindEvaluatorFunction(""), 0);
    EXPECT_EQ(FindEvaluatorFunction("HectEnAcre"), 97);
    EXPECT_EQ(FindEvaluatorFunction("cosinus"), NoSuchFunction);
    EXPECT_EQ(EvaluatorFunctionDescription(1), "donne le cosinus de l'angle");
    EXPECT_EQ(EvaluatorFunctionDescription(42), "convertit les centimètres en pouces anglais");
    EXPECT_EQ(EvaluatorFunctionDescription(70), "convertit les miles internationaux en mètres");
    EXPECT_EQ(EvaluatorFunctionDescription(94),
              "convertit les degrés Fahrenheit en degrés centigrades (Celsius)");
    EXPECT_EQ(EvaluatorFunctionDescription(97), "convertit les hectares en acres");
    for (int32_t i = 1; i < EvaluatorFunctionCount; ++i) {
        EXPECT_FALSE(EvaluatorFunctionDescription(i).empty()) << i;
        EXPECT_EQ(FindEvaluatorFunction(EvaluatorFunctionName(i)), i);
    }
}

} // namespace
