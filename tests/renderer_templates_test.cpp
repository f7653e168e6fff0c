// Template walks and console records.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "records/console.hpp"
#include "records/input.hpp"
#include "records/template.hpp"
#include "tests/support/console.hpp"

namespace tamboril::records {
namespace {

using Records = std::vector<std::string>;

using testing::memory_console;

TEST(TemplateWalk, HeadingWithOneItemGivesTwoRecords) {
    const Template t(
        "(1X,'LA INICIALIZACION PARA EL PROXIMO NUMERO ALEATORIO',' SIGUIENTE A LOS',I11,/,"
        "1X,'YA GENERADOS) ES')");
    EXPECT_EQ(t.records({std::int32_t{5}}),
              (Records{" LA INICIALIZACION PARA EL PROXIMO NUMERO ALEATORIO SIGUIENTE A LOS"
                       "          5",
                       " YA GENERADOS) ES"}));
}

TEST(TemplateWalk, TrailingBlanksDroppedAndEmptyRecordIsOneBlank) {
    EXPECT_EQ(Template("(1X,/)").records({}), (Records{" ", " "}));
    const Template kw("(1X,'KW=',I15,3X,'KY=',I15,3X,'KZ=',I15,3X,/,1X,'XR=',F12.10)");
    const auto records = kw.records({std::int32_t{1}, std::int32_t{1}, std::int32_t{1}, 0.453f});
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0], std::string(" KW=") + std::string(14, ' ') + "1   KY=" +
                              std::string(14, ' ') + "1   KZ=" + std::string(14, ' ') + "1");
    EXPECT_EQ(records[1], " XR= .4530000000");
    // Blanks inside a literal are text and stay.
    EXPECT_EQ(Template("(1X,'*',2X,'PSEUDO ',35X,'*  ')").records({}),
              (Records{" *  PSEUDO " + std::string(35, ' ') + "*  "}));
}

TEST(TemplateWalk, LiteralKeepsCommasSlashesAndParentheses) {
    EXPECT_EQ(Template("(' A,/1X,(B)')").records({}), (Records{" A,/1X,(B)"}));
    EXPECT_EQ(Template("('it''s')").records({}), (Records{"it's"}));
}

TEST(TemplateWalk, MlLineIs108CharactersAfterControl) {
    const Template t(
        "(' ',8X,'ML=',I11,'   MM=',I11,'   MK=',I11,'   L=',I11,'   MMM=',I11,'   KKK=',I11)");
    const auto records = t.records({std::int32_t{65539}, std::int32_t{33554433},
                                    std::int32_t{362436069}, std::int32_t{89347405},
                                    std::int32_t{301467177}, std::int32_t{240420681}});
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].size(), 109u);
    EXPECT_EQ(records[0].substr(0, 12), "         ML=");
}

TEST(TemplateWalk, TableBlocks) {
    const Template nn("(9X,'NN=',/,9(14(1X,Z8),/),1X,Z8,1X,Z8)");
    std::vector<Item> items;
    for (std::int32_t i = 1; i <= 128; ++i) items.emplace_back(i);
    const auto records = nn.records(items);
    ASSERT_EQ(records.size(), 11u);
    EXPECT_EQ(records[0], "         NN=");
    for (int line = 1; line <= 9; ++line) EXPECT_EQ(records[line].size(), 126u);
    EXPECT_EQ(records[1].substr(0, 18), "        1        2");
    EXPECT_EQ(records[10], "       7F       80");

    const Template mfsr("(9X,'MFSR=',/,9(10(1X,I11),/),8(1X,I11))");
    std::vector<Item> words(98, Item(std::int32_t{7}));
    const auto lines = mfsr.records(words);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0], "         MFSR=");
    EXPECT_EQ(lines[1].size(), 120u);
    EXPECT_EQ(lines[10].size(), 96u);
}

TEST(TemplateWalk, RepeatedDescriptorAndItemsLeftStartOver) {
    EXPECT_EQ(Template("(1X,2I3)").records({std::int32_t{1}, std::int32_t{2}}),
              (Records{"   1  2"}));
    EXPECT_EQ(Template("(1X,I3)").records({std::int32_t{1}, std::int32_t{2}}),
              (Records{"   1", "   2"}));
}

TEST(TemplateWalk, ItemOfWrongKindIsAProgrammingError) {
    EXPECT_THROW(Template("(I11)").records({1.0}), std::logic_error);
    EXPECT_THROW(Template("(F11.10)").records({std::int32_t{1}}), std::logic_error);
    EXPECT_THROW(Template("('A')").records({std::int32_t{1}}), std::logic_error);
}

TEST(TemplateCompile, MalformedTemplatesAreRejected) {
    for (const char* bad : {"", "(", ")", "()", "(I)", "(I0)", "(F11)", "(F11.)", "(F5.5)",
                            "('abc)", "(1X", "(X)", "(3)", "(0(I3))", "(I3 I4)", "(Q5)",
                            "(I3),", "(,I3)", "(I3,)", "(10000X)", "(9999(9999(9999X)))"}) {
        EXPECT_THROW(Template{bad}, std::logic_error) << bad;
    }
}

TEST(ConsoleRecords, LineAdvanceControl) {
    Console console = memory_console();
    console.write_record(" first");
    console.write_record("0second");
    console.write_record(" third");
    console.end_line();
    console.write_text("Stop\r\n");
    console.finish();
    EXPECT_EQ(console.output(), "first\r\n\r\nsecond\r\nthird\r\nStop\r\n\r\n");
}

TEST(ConsoleRecords, HeldTextStaysBoundedWhateverIsWritten) {
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(null, 0);
    Console console(std::make_unique<TextLineSource>(""), null, false);
    for (int i = 0; i < 100000; ++i) console.write_record(" IX=                 1234567");
    EXPECT_LT(console.output().size(), kOutputFlushBytes + 100);
    console.finish();
    ::close(null);
}

TEST(ConsoleRecords, ZeroControlOnAFreshLineGivesOneAdvance) {
    Console console = memory_console();
    console.write_record("0x");
    EXPECT_EQ(console.output(), "\r\nx");
}

TEST(ConsoleRecords, FreeFormLinesOf79) {
    Console console = memory_console();
    console.write_free(std::string(79, 'a'));
    EXPECT_EQ(console.output(), std::string(79, 'a') + "\r\n");
    Console longer = memory_console();
    longer.write_free(std::string(124, 'b'));
    EXPECT_EQ(longer.output(), std::string(79, 'b') + "\r\n" + std::string(45, 'b'));
    Console empty = memory_console();
    empty.write_record(" x");
    empty.write_free("");
    EXPECT_EQ(empty.output(), "x\r\n");
}

TEST(ConsoleRecords, ReadClosesTheLineOnlyOnOneChannel) {
    Console piped = memory_console("URN01\n", false);
    piped.write_record(" prompt");
    EXPECT_EQ(piped.read_name(), "URN01");
    piped.write_record(" URN01");
    EXPECT_EQ(piped.output(), "prompt\r\nURN01");

    Console terminal = memory_console("URN01\n", true);
    terminal.write_record(" prompt");
    EXPECT_EQ(terminal.read_name(), "URN01");
    terminal.write_record(" URN01");
    EXPECT_EQ(terminal.output(), "promptURN01");
}

}  // namespace
}  // namespace tamboril::records
