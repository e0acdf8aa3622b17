#include "commands/variables.h"

#include <gtest/gtest.h>

namespace korbi::commands {
namespace {

// The named variables' values are read through the interpreter's own test; here the rules.
VariableContext SampleContext() {
    return {
        .params = " a b c", .chan = "#c", .NickName = "me", .topic = "the topic", .numUsers = 3};
}

struct ExpandCase {
    const char* text;
    const char* expected;
};

void ExpectExpansions(const VariableContext& context, std::initializer_list<ExpandCase> cases) {
    for (const auto& c : cases) {
        EXPECT_EQ(ExpandVars(c.text, context), c.expected) << "text: " << c.text;
    }
}

TEST(ExpandVars, NamedVariablesAreWholeWordsInAnyCaseAndBlanksStay) {
    ExpectExpansions(SampleContext(), {{"$ME $me $Me", "me me me "},
                                       {"$ME, $MEE $ ME$ $UNKNOWN", "$ME, $MEE $ ME$ $UNKNOWN "},
                                       {"x $NICK y", "x  y "},
                                       {"$NUMUSER|$MEMBERS", "$NUMUSER|$MEMBERS "},
                                       {"n $NUMUSER $members", "n  3  3 "},
                                       {"", " "},
                                       {" x  y ", " x  y  "}});
}

TEST(ExpandVars, ParametersWhoseValuesAreNotExpandedAgain) {
    ExpectExpansions(SampleContext(), {{"$$1 $$3", "a c "},
                                       {"x $$4 $$0 $$ $$-1 $$99999999999999999999 y", "x      y "},
                                       {"$$1's $$2x", "a b "},
                                       {"$$1.5", "b "},
                                       {"$*1 end", "a b c  end "},
                                       {"$*2", "b c  "},
                                       {"$*0", " a b c  "},
                                       {"($*3) $*4 $*-2", "($*3)   a b c  "}});
    VariableContext none = SampleContext();
    none.params = "";
    ExpectExpansions(none, {{"<$$1> $$1 $*1 $$0", "<$$1>    "}});

    none.params = " $ME $*1";
    none.topic = "$CHAN";
    ExpectExpansions(none, {{"$*1 $TOPIC", "$ME $*1  $CHAN "}});
}

TEST(ExpandVars, CharacterCodes) {
    // A code that is missing, 0, a line break or beyond a byte gives an empty word rather
    // than a NUL, a second protocol line or a wrapped byte on the wire.
    ExpectExpansions(SampleContext(),
                     {{"$CHR(65) $chr(97) $CHR(65),", "A a A "},
                      {"$CHR(233) $CHR(255) $CHR(1)", "\xE9 \xFF \x01 "},
                      {"a $CHR(13) b $CHR(10) $CHR(9) $CHR(12.6)", "a  b  \t  "},
                      {"$CHR(0) $CHR(256) $CHR(-1) $CHR(99999999999999999999)", "    "},
                      {"$CHR() $CHR( $CHR(x) $CHR(6", "    "},
                      {"$ASC(A) $asc(a) $ASC(\xC3\xA9)", "65 97 195 "},
                      {"$ASC( $ASC(", "  "}});
}

TEST(ExpandVars, LongTextAndParametersStayLinear) {
    // One word per parameter and one variable per word: a word-by-word walk from the start
    // of the text for each word would take billions of steps here.
    constexpr int count = 60000;
    VariableContext c;
    std::string text;
    for (int i = 0; i < count; ++i) {
        c.params += " p";
        text += "$$" + std::to_string(count) + " ";
    }
    const std::string expanded = ExpandVars(text, c);
    EXPECT_EQ(expanded.size(), 2u * count + 1);
    EXPECT_EQ(expanded.substr(0, 6), "p p p ");
}

} // namespace
} // namespace korbi::commands
