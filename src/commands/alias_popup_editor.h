#pragma once
// AlPopForm, the "Alias/Popups" dialog: one page lists the aliases, the other the popups; an
// entry is edited in the page's text box and added (replacing the entry of the same name) or
// removed. Only OK writes the tables.
#include "core/settings.h"

#include <QDialog>

#include <cstddef>
#include <string>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace korbi::commands {

class AliasPopupEditor : public QDialog {
    Q_OBJECT
  public:
    // settings must outlive the dialog; its AliasTable and PopupTable change on OK only.
    explicit AliasPopupEditor(core::Settings& settings, QWidget* parent = nullptr);

    // Fills both lists from the tables (empty entries skipped); done at construction.
    void Form_Load();

    // The entries of a list as bytes, in list order.
    static std::vector<std::string> ListItems(const QListWidget& list);

  signals:
    // OK has written the tables: the popup items take their captions from PopupTable now.
    void TablesStored();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Page {
        QGroupBox* frame = nullptr;
        QListWidget* list = nullptr;
        QLineEdit* text = nullptr;
        QPushButton* add = nullptr;
        QPushButton* remove = nullptr;
        QLabel* label = nullptr;
        std::size_t limit = 0;
        // The entry last copied from the list, so that adding it unchanged keeps its bytes.
        std::string copiedBytes;
        QString copiedText;
    };

    QWidget* BuildPage(Page& page, const QString& caption, const QString& help,
                       const char* listName, const char* textName, const char* addName,
                       const char* removeName);
    void FillList(Page& page, const std::vector<std::string>& entries);
    void CopyToTextBox(Page& page, int row);
    void Add(Page& page);
    void Remove(Page& page);
    void OK();
    Page* PageOfTextBox(QObject* watched);

    core::Settings& m_settings;
    QTabWidget* m_tabs;
    Page m_aliases;
    Page m_popups;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

} // namespace korbi::commands
