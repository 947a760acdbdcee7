#include "analysis/ui/CSearchDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "resources/CStringTable.h"
#include "resources/StringIds.h"

namespace {

QString Text(int id) { return QString::fromStdString(LoadText(id)); }

template <class T>
T* Named(T* widget, int id) {
    widget->setObjectName(QString::number(id));
    return widget;
}

}  // namespace

CSearchDlg::CSearchDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Dialog%1").arg(DialogId));
    setWindowTitle(Text(IDS_SEARCH_CAPTION));
    setModal(false);
    CreateControls();
    ShowFields();
}

void CSearchDlg::CreateControls() {
    m_pattern = Named(new QLineEdit(this), PatternId);
    m_bitCount = Named(new QLineEdit(this), BitCountId);
    m_startChannel = Named(new QLineEdit(this), StartChannelId);
    m_channelCount = Named(new QLineEdit(this), ChannelCountId);
    for (QLineEdit* number : {m_bitCount, m_startChannel, m_channelCount}) {
        number->setValidator(new QIntValidator(-99, 999, number));
        number->setFixedWidth(60);
    }
    m_pattern->installEventFilter(this);
    m_horizontal = Named(new QRadioButton(Text(IDS_SEARCH_HORIZONTAL), this), HorizontalId);
    m_vertical = Named(new QRadioButton(Text(IDS_SEARCH_VERTICAL), this), VerticalId);
    m_binary = Named(new QRadioButton(Text(IDS_SEARCH_BINARY), this), BinaryId);
    m_hexadecimal = Named(new QRadioButton(Text(IDS_SEARCH_HEXADECIMAL), this), HexadecimalId);
    auto* types = new QButtonGroup(this);
    types->addButton(m_horizontal);
    types->addButton(m_vertical);
    auto* radixes = new QButtonGroup(this);
    radixes->addButton(m_binary);
    radixes->addButton(m_hexadecimal);
    m_searchAll = Named(new QCheckBox(Text(IDS_SEARCH_ALL), this), SearchAllId);
    m_next = Named(new QPushButton(Text(IDS_SEARCH_NEXT_BUTTON), this), SearchNextId);
    m_previous = Named(new QPushButton(Text(IDS_SEARCH_PREVIOUS_BUTTON), this), SearchPreviousId);
    m_close = Named(new QPushButton(Text(IDS_SEARCH_CLOSE), this), CloseId);
    m_next->setDefault(true);
    m_next->setAutoDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(Text(IDS_SEARCH_DATA_LABEL), this), 0, 0);
    grid->addWidget(m_pattern, 0, 1, 1, 2);
    grid->addWidget(new QLabel(Text(IDS_SEARCH_BIT_COUNT_LABEL), this), 1, 0);
    grid->addWidget(m_bitCount, 1, 1);
    grid->addWidget(new QLabel(Text(IDS_SEARCH_START_CHANNEL_LABEL), this), 2, 0);
    grid->addWidget(m_startChannel, 2, 1);
    grid->addWidget(new QLabel(Text(IDS_SEARCH_CHANNEL_COUNT_LABEL), this), 3, 0);
    grid->addWidget(m_channelCount, 3, 1);
    grid->addWidget(m_horizontal, 4, 0);
    grid->addWidget(m_binary, 4, 1, 1, 2);
    grid->addWidget(m_vertical, 5, 0);
    grid->addWidget(m_hexadecimal, 5, 1, 1, 2);
    grid->addWidget(m_searchAll, 6, 0);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_next);
    buttons->addWidget(m_previous);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(m_pattern, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_showing) {
            m_fields.SetPattern(text.toStdString());
            ShowFields();
        }
    });
    const auto number = [this](QLineEdit* edit, void (CSearchFields::*set)(const std::string&)) {
        connect(edit, &QLineEdit::textChanged, this, [this, set](const QString& text) {
            if (!m_showing) {
                (m_fields.*set)(text.toStdString());
                ShowFields();
            }
        });
    };
    number(m_bitCount, &CSearchFields::SetBitCount);
    number(m_startChannel, &CSearchFields::SetStartChannel);
    number(m_channelCount, &CSearchFields::SetChannelCount);
    connect(m_horizontal, &QRadioButton::clicked, this, [this] {
        m_fields.SetType(SEARCH_TYPE::Horizontal);
        ShowFields();
    });
    connect(m_vertical, &QRadioButton::clicked, this, [this] {
        m_fields.SetType(SEARCH_TYPE::Vertical);
        ShowFields();
    });
    connect(m_binary, &QRadioButton::clicked, this, [this] {
        m_fields.SetRadix(SEARCH_RADIX::Binary);
        ShowFields();
    });
    connect(m_hexadecimal, &QRadioButton::clicked, this, [this] {
        m_fields.SetRadix(SEARCH_RADIX::Hexadecimal);
        ShowFields();
    });
    connect(m_next, &QPushButton::clicked, this, [this] { Request(SEARCH_DIRECTION::Forward); });
    connect(m_previous, &QPushButton::clicked, this, [this] { Request(SEARCH_DIRECTION::Backward); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::hide);
}

void CSearchDlg::ShowFields() {
    m_showing = true;
    const auto show = [](QLineEdit* edit, const std::string& text) {
        const QString value = QString::fromStdString(text);
        if (edit->text() != value) {
            const int cursor = edit->cursorPosition();
            edit->setText(value);
            edit->setCursorPosition(std::min(cursor, static_cast<int>(value.size())));
        }
    };
    m_pattern->setMaxLength(m_fields.PatternLimit());
    show(m_pattern, m_fields.Pattern());
    show(m_bitCount, m_fields.BitCountText());
    show(m_startChannel, m_fields.StartChannelText());
    show(m_channelCount, m_fields.ChannelCountText());
    const bool vertical = m_fields.Type() == SEARCH_TYPE::Vertical;
    m_horizontal->setChecked(!vertical);
    m_vertical->setChecked(vertical);
    m_binary->setChecked(m_fields.Radix() == SEARCH_RADIX::Binary);
    m_hexadecimal->setChecked(m_fields.Radix() == SEARCH_RADIX::Hexadecimal);
    m_bitCount->setEnabled(m_fields.BitCountEnabled());
    m_channelCount->setEnabled(m_fields.ChannelCountEnabled());
    m_next->setEnabled(m_fields.SearchEnabled());
    m_previous->setEnabled(m_fields.SearchEnabled());
    m_showing = false;
}

void CSearchDlg::Open(CGraphModel& model, bool searchAllEnabled, const QWidget& mainWindow) {
    m_searchAll->setEnabled(searchAllEnabled);
    (void)m_fields.Prefill(model);
    ShowFields();
    show();
    adjustSize();
    const QRect main = mainWindow.frameGeometry();
    const QSize size = frameGeometry().size();
    move(main.left() + main.width() - size.width(), main.top() + main.height() - size.height());
    raise();
    activateWindow();
    m_pattern->setFocus();
}

bool CSearchDlg::SearchAllChecked() const { return m_searchAll->isEnabled() && m_searchAll->isChecked(); }

void CSearchDlg::Request(SEARCH_DIRECTION direction) {
    if (!m_fields.SearchEnabled()) {
        return;
    }
    m_direction = direction;
    emit SearchRequested();
}

bool CSearchDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pattern && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool editing = key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete ||
                             key->key() == Qt::Key_Left || key->key() == Qt::Key_Right ||
                             key->key() == Qt::Key_Home || key->key() == Qt::Key_End ||
                             key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
                             key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                             key->key() == Qt::Key_Escape || (key->modifiers() & Qt::ControlModifier) != 0;
        const QString text = key->text();
        if (!editing && !text.isEmpty() && (text.size() != 1 || !m_fields.AcceptsKey(text.at(0).toLatin1()))) {
            return true;  // dropped
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CSearchDlg::keyPressEvent(QKeyEvent* event) {
    // Enter runs the default button and never closes the dialog.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Request(SEARCH_DIRECTION::Forward);
        return;
    }
    QDialog::keyPressEvent(event);
}
