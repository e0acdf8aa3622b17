#include "commands/alias_popup_editor.h"
#include "commands/table_lists.h"

#include "support/widgets.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace korbi::commands {
namespace {

using namespace korbi::testing;
using Items = std::vector<std::string>;

// The entries of one of the editor's lists ("List1" aliases, "List2" popups).
Items ListOf(const AliasPopupEditor& editor, const char* name) {
    return AliasPopupEditor::ListItems(*editor.findChild<QListWidget*>(name));
}

TEST(TableListsTest, GetIndexListMatchesTheFirstWordWithoutCaseLastOneWins) {
    const Items items{"ban /kick $chan", "op /mode $chan +o $$1", "BAN /mode $chan +b $$1"};
    EXPECT_EQ(GetIndexList(items, "Ban /kick $chan $$1"), 2);
    EXPECT_EQ(GetIndexList(items, "op"), 1);
    EXPECT_EQ(GetIndexList(items, "opp /x"), -1);
    EXPECT_EQ(GetIndexList({}, "x"), -1);
}

class AliasPopupEditorTest : public ::testing::Test {
  protected:
    core::Settings settings;

    void SetUp() override {
        settings.AliasTable[0] = "ban /mode $chan +b $$1";
        settings.AliasTable[2] = "hi /say hello";
        settings.AliasTable[3] = "op /mode $chan +o $$1";
        settings.AliasTable[4] = "j /join $$1";
        settings.PopupTable[0] = "Slap! /me slaps $$1";
        settings.PopupTable[1] = "Hugs! /say {{ $*1 }}";
        settings.PopupTable[2] = "Op /mode $chan +o $$1";
    }
};

TEST_F(AliasPopupEditorTest, LoadsNonEmptyEntriesAndAddReplacesByName) {
    AliasPopupEditor editor(settings);
    EXPECT_EQ(editor.windowTitle(), "Alias/Popups");
    ASSERT_EQ(ListOf(editor, "List1"), (Items{"ban /mode $chan +b $$1", "hi /say hello",
                                              "op /mode $chan +o $$1", "j /join $$1"}));

    editor.findChild<QLineEdit*>("Text1")->setText("BAN /kick $chan $$1");
    editor.findChild<QPushButton*>("Command1")->click();
    EXPECT_EQ(ListOf(editor, "List1").front(), "BAN /kick $chan $$1");
    EXPECT_EQ(editor.findChild<QListWidget*>("List1")->count(), 4);

    editor.findChild<QListWidget*>("List1")->setCurrentRow(1);
    EXPECT_EQ(editor.findChild<QLineEdit*>("Text1")->text(), "hi /say hello")
        << "clicking copies the entry";
    EXPECT_EQ(settings.AliasTable[0], "ban /mode $chan +b $$1") << "nothing stored before OK";
}

TEST_F(AliasPopupEditorTest, RemoveThenOkStoresWhatRemains) {
    {
        AliasPopupEditor editor(settings);
        bool stored = false;
        QObject::connect(&editor, &AliasPopupEditor::TablesStored, [&] { stored = true; });
        Select(editor.findChild<QListWidget*>("List1"), {0, 2});
        editor.findChild<QPushButton*>("Command2")->click();
        Select(editor.findChild<QListWidget*>("List2"), {0});
        editor.findChild<QPushButton*>("Command6")->click();
        editor.findChild<QPushButton*>("Command3")->click();
        EXPECT_TRUE(stored);
        EXPECT_EQ(editor.result(), QDialog::Accepted);
    }
    EXPECT_EQ(Items(settings.AliasTable.begin(), settings.AliasTable.begin() + 4),
              (Items{"hi /say hello", "j /join $$1", "", ""}));
    EXPECT_EQ(Items(settings.PopupTable.begin(), settings.PopupTable.begin() + 3),
              (Items{"Hugs! /say {{ $*1 }}", "Op /mode $chan +o $$1", ""}));

    AliasPopupEditor reopened(settings);
    EXPECT_EQ(ListOf(reopened, "List1"), (Items{"hi /say hello", "j /join $$1"}));
}

TEST_F(AliasPopupEditorTest, EnterAddsAndEmptiesTheBoxFormattingKeysInsertCodes) {
    AliasPopupEditor editor(settings);
    QLineEdit* box = editor.findChild<QLineEdit*>("Text2");
    box->setText("Bold /say  x");
    box->setCursorPosition(10);
    for (const int key : {Qt::Key_B, Qt::Key_K, Qt::Key_U, Qt::Key_I}) {
        Key(box, key, Qt::ControlModifier);
    }
    Key(box, Qt::Key_Tab);
    EXPECT_EQ(box->text().toStdString(), "Bold /say \x02\x03\x1F\x16\x16 x");
    EXPECT_EQ(box->cursorPosition(), 15);

    Key(box, Qt::Key_Return);
    EXPECT_TRUE(box->text().isEmpty());
    EXPECT_EQ(ListOf(editor, "List2").back(), "Bold /say \x02\x03\x1F\x16\x16 x");
    Key(box, Qt::Key_Enter); // an empty box adds nothing, and Enter never closes the dialog
    EXPECT_EQ(editor.findChild<QListWidget*>("List2")->count(), 4);
    EXPECT_EQ(editor.result(), 0);
}

TEST_F(AliasPopupEditorTest, UntouchedEntriesKeepTheirBytesAndFullListsRefuseNewNames) {
    settings.PopupTable[3] = "Caf\xE9 /say caf\xE9";
    for (std::size_t i = 4; i < kMaxPopups; ++i) {
        settings.PopupTable[i] = "p" + std::to_string(i) + " /say x";
    }
    AliasPopupEditor editor(settings);
    editor.findChild<QListWidget*>("List2")->setCurrentRow(3);
    editor.findChild<QPushButton*>("Command5")->click(); // adding it unchanged
    editor.findChild<QLineEdit*>("Text2")->setText("another /say y");
    editor.findChild<QPushButton*>("Command5")->click();
    EXPECT_EQ(editor.findChild<QListWidget*>("List2")->count(), static_cast<int>(kMaxPopups));
    editor.findChild<QPushButton*>("Command3")->click();
    EXPECT_EQ(settings.PopupTable[3], "Caf\xE9 /say caf\xE9");
    EXPECT_EQ(settings.PopupTable[30], "");
}

} // namespace
} // namespace korbi::commands
