// Creating and freeing the shared managers in their fixed orders.
#include "core/SharedObjects.h"

#include "core/Colors.h"
#include "core/Fonts.h"
#include "core/Kerning.h"
#include "core/Languages.h"
#include "core/StyleManager.h"
#include "core/Units.h"

void CreateSharedObjects()
{
    GetFontManager();
    GetColorManager();
    GetKerningPairsManager();
    GetMeasurementsManager();
    GetStyleManager();
}

void DestroySharedObjects()
{
    FreeColorManager();
    FreeKerningPairsManager();
    FreeMeasurementsManager();
    FreeStyleManager();
    FreeFontManager();
    FreeLanguageManager();
}
