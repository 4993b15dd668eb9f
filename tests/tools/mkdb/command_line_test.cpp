#include "tools/mkdb/command_line.h"

#include <gtest/gtest.h>

namespace bastara::mkdb {
namespace {

    Result<Command, std::string> parse(std::vector<std::string_view> args)
    {
        return parseCommandLine(args);
    }

    TEST(MkdbCommandLine, FieldsSplitAtTheirLastTwoColons)
    {
        const auto plain = parseFieldArgument(u"name:Text:50");
        ASSERT_TRUE(plain);
        EXPECT_EQ(plain->name, u"name");
        EXPECT_EQ(plain->typeName, u"Text");
        EXPECT_EQ(plain->sizeText, u"50");
        const auto colons = parseFieldArgument(u"a:b::Long:");
        ASSERT_TRUE(colons);
        EXPECT_EQ(colons->name, u"a:b:");
        EXPECT_EQ(colons->typeName, u"Long");
        EXPECT_EQ(colons->sizeText, u"");
        const auto emptyName = parseFieldArgument(u":Long:4");
        ASSERT_TRUE(emptyName); // the engine judges the empty name
        EXPECT_EQ(emptyName->name, u"");
        EXPECT_FALSE(parseFieldArgument(u"name:Text"));
        EXPECT_FALSE(parseFieldArgument(u"name"));
        EXPECT_FALSE(parseFieldArgument(u":"));
    }

    TEST(MkdbCommandLine, ReadsFileTableAndFieldsInOrder)
    {
        const auto command = parse({ "--encrypt", "out.mdb", "جدول", "a:Text:10", "b:Time:" });
        ASSERT_TRUE(command);
        EXPECT_TRUE(command->encrypt);
        EXPECT_FALSE(command->help);
        EXPECT_EQ(command->file, "out.mdb");
        EXPECT_EQ(command->table, u"\u062C\u062F\u0648\u0644");
        ASSERT_EQ(command->rows.size(), 2u);
        EXPECT_EQ(command->rows[1].name, u"b");
        EXPECT_EQ(command->rows[1].typeName, u"Time");
        EXPECT_FALSE(parse({ "out.mdb", "t" })->encrypt);
        EXPECT_TRUE(parse({ "out.mdb", "t" })->rows.empty());
    }

    TEST(MkdbCommandLine, OptionsEndAtDoubleDashOrTheFirstPositional)
    {
        const auto dashed = parse({ "--", "-file.mdb", "t", "-x:Long:" });
        ASSERT_TRUE(dashed);
        EXPECT_EQ(dashed->file, "-file.mdb");
        const auto field = parse({ "f.mdb", "t", "-x:Long:" });
        ASSERT_TRUE(field);
        EXPECT_EQ(field->rows.at(0).name, u"-x");
        EXPECT_TRUE(parse({ "f.mdb", "--help" })->help);
    }

    TEST(MkdbCommandLine, BadCommandLinesGetAMessage)
    {
        EXPECT_FALSE(parse({}));
        EXPECT_FALSE(parse({ "only-file.mdb" }));
        EXPECT_FALSE(parse({ "--bogus", "f.mdb", "t" }));
        EXPECT_FALSE(parse({ "", "t" }));
        EXPECT_FALSE(parse({ "f.mdb", "\xFF" }));
        const auto badField = parse({ "f.mdb", "t", "noColons" });
        ASSERT_FALSE(badField);
        EXPECT_NE(badField.error().find("noColons"), std::string::npos);
    }

    TEST(MkdbCommandLine, HelpNamesEveryTypeAndTheColonRule)
    {
        const std::string help = helpText();
        for (const char* type : { "Text", "Integer", "Long", "Binary", "Byte", "Currency",
                 "Boolean", "Time", "Date", "Double", "Single", "Float", "Memo" })
            EXPECT_NE(help.find(type), std::string::npos) << type;
        EXPECT_NE(help.find("last two colons"), std::string::npos);
        EXPECT_NE(help.find("--encrypt"), std::string::npos);
    }

} // namespace
} // namespace bastara::mkdb
