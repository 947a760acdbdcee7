#pragma once
#include <QDialog>

#include "analysis/CSearchFields.h"
#include "analysis/CSearchCommand.h"

class CGraphModel;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Dialog 327, "Search": modeless, created hidden with the main window and
// kept until it closes. It shows the fields that CSearchFields holds and
// applies their rules on every change; Search Next and Search Previous store
// their direction and ask the main window to run the search
// (SearchRequested); Close hides it.
class CSearchDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int DialogId = 327;
    static constexpr int PatternId = 1020;
    static constexpr int BitCountId = 1028;
    static constexpr int StartChannelId = 1033;
    static constexpr int ChannelCountId = 1025;
    static constexpr int HorizontalId = 1022;
    static constexpr int VerticalId = 1023;
    static constexpr int BinaryId = 1026;
    static constexpr int HexadecimalId = 1027;
    static constexpr int SearchAllId = 1035;
    static constexpr int SearchNextId = 32945;
    static constexpr int SearchPreviousId = 32946;
    static constexpr int CloseId = 2;

    explicit CSearchDlg(QWidget* parent);

    // The Search command: prefills from the graph's selection, enables Search
    // All, shows the dialog at the lower right of `mainWindow`.
    void Open(CGraphModel& model, bool searchAllEnabled, const QWidget& mainWindow);

    [[nodiscard]] const CSearchFields& Fields() const { return m_fields; }
    [[nodiscard]] SEARCH_DIRECTION RequestedDirection() const { return m_direction; }
    [[nodiscard]] bool SearchAllChecked() const;

    [[nodiscard]] QLineEdit* PatternEdit() const { return m_pattern; }
    [[nodiscard]] QLineEdit* BitCountEdit() const { return m_bitCount; }
    [[nodiscard]] QLineEdit* StartChannelEdit() const { return m_startChannel; }
    [[nodiscard]] QLineEdit* ChannelCountEdit() const { return m_channelCount; }
    [[nodiscard]] QPushButton* SearchNextButton() const { return m_next; }
    [[nodiscard]] QPushButton* SearchPreviousButton() const { return m_previous; }

signals:
    // WM_SEARCH_REQUEST from the dialog: run the search in RequestedDirection().
    void SearchRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void Request(SEARCH_DIRECTION direction);
    // Shows the fields' texts and enablement again.
    void ShowFields();

    CSearchFields m_fields;
    SEARCH_DIRECTION m_direction = SEARCH_DIRECTION::Forward;
    QLineEdit* m_pattern = nullptr;
    QLineEdit* m_bitCount = nullptr;
    QLineEdit* m_startChannel = nullptr;
    QLineEdit* m_channelCount = nullptr;
    QRadioButton* m_horizontal = nullptr;
    QRadioButton* m_vertical = nullptr;
    QRadioButton* m_binary = nullptr;
    QRadioButton* m_hexadecimal = nullptr;
    QCheckBox* m_searchAll = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_close = nullptr;
    bool m_showing = false;
};
