#include "tools/ringtonetools/ConverterWindow.h"

#include "platform/QtDialogs.h"
#include "tools/ringtonetools/MelodyFit.h"
#include "tools/ringtonetools/PhoneLimits.h"
#include "tools/ringtonetools/PlayerBar.h"
#include "tools/ringtonetools/SaveFormats.h"
#include "tools/ringtonetools/ToolServices.h"
#include "tools/ringtonetools/TuneInput.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace brivello::ringtonetools {

namespace {

struct CodeRow
{
    const char16_t *code;
    const char16_t *caption;
};

// The catalogue's five codes, with the captions of its phone models.
constexpr CodeRow CodeRows[] = {
    {u"nokia_hand", u"Nokia3210 tastiera"}, {u"nokia_scherm", u"Nokia 3210 Schermo"},
    {u"siemens", u"Siemens Schermo"},       {u"ericsson", u"Ericsson Schermo"},
    {u"motorola", u"Motorola Schermo"},
};

} // namespace

ConverterWindow::ConverterWindow(const ToolServices &services, QWidget *parent)
    : QWidget(parent), m_services(services)
{
    setWindowTitle(u"Convertitore RTTTL"_s);
    setObjectName(u"Convertitore"_s);
    auto *layout = new QVBoxLayout(this);
    m_input = new TuneInput(services, this);
    layout->addWidget(m_input);
    // The user comes to type or paste a ringtone.
    m_input->textBox().setFocus();
    m_summary = new QLabel(this);
    m_summary->setObjectName(u"riassunto"_s);
    layout->addWidget(m_summary);

    auto *codes = new QGroupBox(u"Codici da digitare sui telefoni"_s, this);
    auto *form = new QFormLayout(codes);
    for (const CodeRow &row : CodeRows) {
        auto *box = new QPlainTextEdit(codes);
        box->setObjectName(QString::fromUtf16(row.code));
        box->setReadOnly(true);
        box->setMaximumHeight(44);
        form->addRow(QString::fromUtf16(row.caption), box);
        m_codes.push_back(box);
    }
    layout->addWidget(codes);

    auto *fits = new QGroupBox(u"Sui telefoni"_s, this);
    auto *fitLayout = new QVBoxLayout(fits);
    m_fit = new QTableWidget(fits);
    m_fit->setObjectName(u"adattamento"_s);
    m_fit->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_fit->setWordWrap(true);
    m_fit->verticalHeader()->hide();
    // Rows grow with the text of their changes, whatever the window's width.
    m_fit->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_fit->horizontalHeader()->setStretchLastSection(true);
    m_fit->setMinimumHeight(110);
    fitLayout->addWidget(m_fit);
    layout->addWidget(fits, 1);

    auto *bottom = new QHBoxLayout;
    m_player =
        new PlayerBar(services.sound, *services.platform.clock, PlayerBar::Controls::PlayStopOnly, this);
    bottom->addWidget(m_player, 1);
    layout->addLayout(bottom);
    // Three to a row, so that the window fits a 1024 pixel wide screen.
    auto *saves = new QGridLayout;
    for (const SaveFormat &format : saveFormats()) {
        auto *button = new QPushButton(u"Salva come %1…"_s.arg(format.label), this);
        button->setObjectName(u"salva-"_s + format.id);
        connect(button, &QPushButton::clicked, this, [this, format] {
            if (!m_input->hasMelody())
                return;
            const QString saved = saveAs(m_services, format, m_input->reading().reading.melody);
            if (!saved.isEmpty())
                m_status->setText(savedMessage(saved));
        });
        const int index = static_cast<int>(m_saves.size());
        saves->addWidget(button, index / 3, index % 3);
        m_saves.push_back(button);
    }
    layout->addLayout(saves);
    m_status = new QLabel(this);
    m_status->setObjectName(u"stato"_s);
    m_status->setWordWrap(true);
    layout->addWidget(m_status);

    connect(m_input, &TuneInput::readingChanged, this, &ConverterWindow::showTune);
    connect(m_player, &PlayerBar::failed, m_status, &QLabel::setText);
    showTune();
    resize(platform::sizeOnScreen(*this, QSize(900, 860)));
}

void ConverterWindow::showTune()
{
    const bool ok = m_input->hasMelody();
    const melody::Melody tune = ok ? m_input->reading().reading.melody : melody::Melody{};
    for (std::size_t i = 0; i < m_codes.size(); ++i)
        m_codes[i]->setPlainText(ok ? phoneCode(tune, QString::fromUtf16(CodeRows[i].code)) : QString());
    for (QPushButton *button : m_saves)
        button->setEnabled(ok);
    m_player->setMelody(tune);
    if (ok) {
        const double seconds = static_cast<double>(melody::duration(tune).count()) / 1000.0;
        m_summary->setText(u"«%1»: %2 note, tempo %3 bpm, dura %4 secondi."_s.arg(tune.name)
                               .arg(melody::noteCount(tune))
                               .arg(tune.bpm)
                               .arg(QLocale(QLocale::Italian).toString(seconds, 'f', 1)));
    } else {
        m_summary->clear();
    }
    fillFitTable(tune);
}

void ConverterWindow::fillFitTable(const melody::Melody &tune)
{
    const std::vector<FitColumn> columns = fitColumns();
    const std::vector<PhoneModel> &models = phoneLimits().models;
    m_fit->clear();
    m_fit->setColumnCount(static_cast<int>(columns.size()));
    QStringList headings;
    for (const FitColumn &column : columns)
        headings.append(column.heading);
    m_fit->setHorizontalHeaderLabels(headings);
    if (!m_input->hasMelody()) {
        m_fit->setRowCount(0);
        return;
    }
    m_fit->setRowCount(static_cast<int>(models.size()));
    for (std::size_t row = 0; row < models.size(); ++row) {
        for (std::size_t col = 0; col < columns.size(); ++col) {
            auto *item = new QTableWidgetItem(columns[col].cell(tune, models[row]));
            item->setToolTip(columns[col].tooltip(tune, models[row]));
            m_fit->setItem(static_cast<int>(row), static_cast<int>(col), item);
        }
    }
    for (int col = 0; col + 1 < m_fit->columnCount(); ++col)
        m_fit->resizeColumnToContents(col);
}

} // namespace brivello::ringtonetools
