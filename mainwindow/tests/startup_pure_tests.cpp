// Start-up's rules without a window: the manual's file name and the version comparison.
#include "mainwindow/Startup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(ManualFileName, LanguagePartThenModelPart)
{
    const struct {
        int32_t language;
        uint8_t typeCode;
        const wchar_t* name;
    } cases[] = {
        {1, 10, L"rus50.pdf"},   {1, 37, L"rus50.pdf"},  {0, 16, L"eng50.pdf"},   {11, 17, L"eng50.pdf"},
        {2, 18, L"eng500.pdf"},  {7, 34, L"eng500.pdf"}, {1, 33, L"rus500.pdf"},  {6, 35, L"eng50.pdf"},
        // An unlisted type, or none stored yet: the language part alone, without extension.
        {1, 0, L"rus"},          {3, 20, L"eng"},
        // Language 5 and indexes outside 0 to 11: the model part alone.
        {5, 36, L"50.pdf"},      {12, 19, L"500.pdf"},   {-1, 16, L"50.pdf"},     {5, 0, L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vcl::String(c.name), ManualFileName(c.language, c.typeCode))
            << "language " << c.language << ", type " << int(c.typeCode);
}

TEST(IsNewerVersion, ComparesInSinglePrecision)
{
    const struct {
        double version;
        bool newer;
    } cases[] = {
        {2.5, true},
        {2.4, false},
        {2.40000001, false},  // above 2.4 as a double, equal to it in single precision
        {2.41, true},
        {2.0, false},
        {-3.0, false},
        {std::numeric_limits<double>::infinity(), true},
        {std::nan(""), false},  // unordered: not newer
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.newer, IsNewerVersion(c.version)) << c.version;
}

}  // namespace
