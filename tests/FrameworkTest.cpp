// The dialog framework's platform-neutral parts, on whichever backend the program runs.
#include "framework/DlgItemInt.h"
#include "framework/WinApp.h"

#include <optional>

#include <gtest/gtest.h>

TEST(FrameworkTest, ReadsFieldsAsSignedDecimals)
{
    const std::optional<int> none;
    const struct
    {
        const char* text; // UTF-8
        std::optional<int> value;
    } cases[] = {
        {"200", 200},
        {"0", 0},
        {"007", 7},
        {"-1", -1},
        {"+5", 5},
        {"  42\t ", 42},
        {"", none},
        {"   ", none},
        {"abc", none},
        {"-", none},
        {"12abc", none},
        {"1 2", none},
        {"--1", none},
        {"１２", none}, // full-width digits
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", none},
        {"-2147483649", none},
        {"99999999999999999999999", none},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(parseDlgItemInt(text), value) << "\"" << text << "\"";
}

TEST(FrameworkTest, AppNameIsTheExecutablesName)
{
    EXPECT_EQ(AfxGetAppName(), "orvanel_console_tests");
}
