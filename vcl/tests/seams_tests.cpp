// The seams' defaults reach the real system calls.
#include <gtest/gtest.h>

#include "vcl/seams.h"

using namespace vcl;

TEST(Seams, TheShellReportsThatItCannotOpenAMissingFile)
{
    const INT_PTR result =
        Seams().ShellExecute(nullptr, L"open", L"C:\\zirv-missing-folder\\missing.txt", SW_SHOWNORMAL);
    EXPECT_LE(result, 32);
    EXPECT_GT(result, 0);
}
