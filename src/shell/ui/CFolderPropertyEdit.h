#pragma once
#include <QWidget>

class IFolderChooser;
class QLineEdit;
class QToolButton;

// The editor of a folder property: the path as text with a browse button
// beside it. A folder chosen with the browser is reported as Chosen.
class CFolderPropertyEdit : public QWidget {
    Q_OBJECT
public:
    CFolderPropertyEdit(IFolderChooser* chooser, QWidget* parent = nullptr);

    [[nodiscard]] QString Text() const;
    void SetText(const QString& text);
    [[nodiscard]] QLineEdit* Edit() const { return m_edit; }
    [[nodiscard]] QToolButton* BrowseButton() const { return m_browse; }
    // Opens the folder browser at the current text.
    void Browse();

signals:
    void Chosen();

private:
    IFolderChooser* m_chooser;
    QLineEdit* m_edit;
    QToolButton* m_browse;
};
