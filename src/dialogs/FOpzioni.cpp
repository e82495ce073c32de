#include "dialogs/FOpzioni.h"

#include "Product.h"
#include "alarms/SveglieCore.h"
#include "controls/A_EditCurr.h"
#include "controls/CentraFinestra.h"
#include "controls/ComboAccessible.h"
#include "controls/HighlightLabel.h"
#include "controls/PlaceOver.h"
#include "memolist/MemoPictures.h"
#include "memolist/TestiReminder.h"
#include "platform/Launcher.h"
#include "platform/MessageBoxes.h"
#include "platform/Services.h"
#include "platform/SoundPlayer.h"
#include "state/AppState.h"
#include "sync/CalDavAddress.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int clientWidth = 545;
constexpr int clientHeight = 335;
constexpr int focusPanelHeight = 23;

// The numeric edits swallow Esc; like the dialog's key preview, this sees it first.
class EscCloses : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            static_cast<QWidget*>(parent())->close();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

QComboBox* dropDownList(QWidget* parent)
{
    ComboAccessible::install(); // read by its label, not by the entry chosen
    auto* list = new QComboBox(parent);
    list->setMaxVisibleItems(25);
    return list;
}

QToolButton* playIcon(QWidget* parent, const QPixmap& picture)
{
    auto* icon = new QToolButton(parent);
    icon->setAutoRaise(true);
    icon->setIcon(QIcon(picture));
    icon->setFocusPolicy(Qt::NoFocus);
    icon->setCursor(Qt::PointingHandCursor);
    return icon;
}

TA_EditCurr* minutesEdit(QWidget* parent, bool negatives)
{
    auto* edit = new TA_EditCurr(parent);
    edit->setFixedWidth(40);
    edit->setAlignment(Qt::AlignRight);
    edit->Null_se_vale_zero = false;
    edit->OnChangeFiltroUtente = [negatives](const QString& text, const QString&, bool& ok, Currency& value) {
        ok = Minuti_Accettabili(text, negatives, value);
    };
    edit->installEventFilter(new EscCloses(parent->window()));
    return edit;
}

qint32 wholeMinutes(const TA_EditCurr* edit)
{
    return qint32(edit->Valore.units() / Currency::Scale);
}

void showValue(TA_EditCurr* edit, qint32 value)
{
    edit->Azzera();
    edit->Valore = Currency::fromInt(value);
    edit->DoExit();
}

} // namespace

TfrmOpzioni::TfrmOpzioni(AppState& appState, Services& appServices, const MemoPictures& pictures, QWidget* parent)
    : QDialog(parent, Qt::Tool)
    , state(appState)
    , services(appServices)
{
    setObjectName(QStringLiteral("frmOpzioni"));
    // Modal to the main window only: a warning that falls due meanwhile can be answered at once.
    setWindowModality(Qt::WindowModal);
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPixelSize(11);
    setFont(font);
    FormCreate(pictures);
}

void TfrmOpzioni::FormCreate(const MemoPictures& pictures)
{
    auto* body = new QWidget(this);
    body->setMinimumSize(clientWidth, clientHeight - focusPanelHeight);

    gbxNuoviMemo = new QGroupBox(body);
    rdbNessunOrario = new QRadioButton(gbxNuoviMemo);
    rdbOrarioComputer = new QRadioButton(gbxNuoviMemo);
    chkAttivaz_nuovi_memo = new QCheckBox(gbxNuoviMemo);
    auto* nuovi = new QVBoxLayout(gbxNuoviMemo);
    nuovi->addWidget(rdbNessunOrario);
    nuovi->addWidget(rdbOrarioComputer);
    nuovi->addWidget(chkAttivaz_nuovi_memo);
    chkConfCancell = new QCheckBox(body);
    chkAutoAvvio = new QCheckBox(body);
    chkNotifica_desktop = new QCheckBox(body);

    auto* values = new QGridLayout;
    values->setColumnStretch(0, 1);
    const auto minutesRow = [&](int row, QLabel*& label, TA_EditCurr*& edit, QLabel*& unit, bool negatives) {
        label = new QLabel(body);
        edit = minutesEdit(body, negatives);
        unit = new QLabel(body);
        values->addWidget(label, row, 0);
        values->addWidget(edit, row, 1);
        values->addWidget(unit, row, 2);
    };
    minutesRow(0, lblPulsantiInc, editMinuti_incOrari, lblMinuti1, false);
    minutesRow(1, lblMinutiAnticipo, edit_min_Imm, lblMinuti2, false);
    minutesRow(2, lblPreavvAllarme, edit_MinutiPreavv_allarme, lblMinuti3, true);
    lblColorazioni = new QLabel(body);
    cboColorazioni = dropDownList(body);
    lblLingua = new QLabel(body);
    cboLingue = dropDownList(body);
    values->addWidget(lblColorazioni, 3, 0);
    values->addWidget(cboColorazioni, 3, 1, 1, 2);
    values->addWidget(lblLingua, 4, 0);
    values->addWidget(cboLingue, 4, 1, 1, 2);

    // One option per row: a new one is one more line here.
    auto* opzioni = new QVBoxLayout;
    opzioni->addWidget(gbxNuoviMemo);
    opzioni->addWidget(chkConfCancell);
    opzioni->addWidget(chkAutoAvvio);
    opzioni->addWidget(chkNotifica_desktop);
    opzioni->addLayout(values);
    opzioni->addStretch();

    gbxSuoni = new QGroupBox(body);
    lblSuonoMemo = new QLabel(gbxSuoni);
    cboSuonoMemo = dropDownList(gbxSuoni);
    imgPlayMemo = playIcon(gbxSuoni, pictures.imgCopy_PlaySuono);
    lblSuonoAllarmi = new QLabel(gbxSuoni);
    cboSuonoSveglie = dropDownList(gbxSuoni);
    imgPlayAllarme = playIcon(gbxSuoni, pictures.imgCopy_PlaySuono);
    lblModEsecuzione = new QLabel(gbxSuoni);
    rdbUnaVolta = new QRadioButton(gbxSuoni);
    rdbRipetuto = new QRadioButton(gbxSuoni);
    auto* suoni = new QGridLayout(gbxSuoni);
    suoni->setColumnStretch(0, 1);
    suoni->addWidget(lblSuonoMemo, 0, 0, 1, 2);
    suoni->addWidget(cboSuonoMemo, 1, 0);
    suoni->addWidget(imgPlayMemo, 1, 1);
    suoni->addWidget(lblSuonoAllarmi, 2, 0, 1, 2);
    suoni->addWidget(cboSuonoSveglie, 3, 0);
    suoni->addWidget(imgPlayAllarme, 3, 1);
    suoni->setRowMinimumHeight(4, 8);
    suoni->addWidget(lblModEsecuzione, 5, 0, 1, 2);
    suoni->addWidget(rdbUnaVolta, 6, 0, 1, 2);
    suoni->addWidget(rdbRipetuto, 7, 0, 1, 2);
    suoni->setRowStretch(8, 1);

    auto* columns = new QHBoxLayout;
    columns->setContentsMargins(0, 0, 0, 0);
    columns->addLayout(opzioni, 1);
    columns->addWidget(gbxSuoni, 0, Qt::AlignTop);
    auto* rows = new QVBoxLayout(body);
    rows->setContentsMargins(8, 6, 8, 4);
    rows->addLayout(columns);
    rows->addWidget(buildCalDav(body));

    pnlFocus = new QFrame(this);
    pnlFocus->setFixedHeight(focusPanelHeight);
    pnlFocus->setFocusPolicy(Qt::StrongFocus);
    auto* bvl = new QFrame(pnlFocus);
    bvl->setFrameShape(QFrame::HLine);
    bvl->setFrameShadow(QFrame::Sunken);
    hglLink = new THighlightLabel(pnlFocus);
    hglLink->setFontColor(QColor(0, 0, 255));
    hglLink->HighlightColor = QColor(255, 0, 0);
    hglLink->setCursor(Qt::PointingHandCursor);
    hglLink->setText(state.config.SCRITTE_LINK_PICCOLO);
    hglLink->OnClick = [this](THighlightLabel*) { services.launcher.Apri_Url(state.config.INDIRIZZO_LINK_PICCOLO); };
    lblVers_MANUALE = new QLabel(QStringLiteral("Vers. ") + QLatin1String(product::shortVersion), pnlFocus);
    btnChiudi = new QPushButton(pnlFocus);
    btnChiudi->setFlat(true);
    btnChiudi->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    btnChiudi->setAutoDefault(false);
    auto* bottom = new QGridLayout(pnlFocus);
    bottom->setContentsMargins(8, 0, 2, 0);
    bottom->setVerticalSpacing(0);
    bottom->addWidget(bvl, 0, 0, 1, 4);
    bottom->addWidget(hglLink, 1, 0);
    bottom->setColumnStretch(1, 1);
    bottom->addWidget(lblVers_MANUALE, 1, 2);
    bottom->addWidget(btnChiudi, 1, 3);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize); // grows only when a text needs it
    layout->addWidget(body);
    layout->addWidget(pnlFocus);

    // Filled once: later openings keep the items and the last choice.
    for (QComboBox* list : {cboSuonoMemo, cboSuonoSveglie}) {
        list->clear();
        list->addItem(nessunSuonoMostrato());
        for (const REC_Suono& s : std::as_const(state.ArrSuoni))
            list->addItem(s.Descrizione);
    }
    cboSuonoMemo->setCurrentIndex(Indice_Suono(state.ArrSuoni, state.settings.Suono_Memo) + 1);
    cboSuonoSveglie->setCurrentIndex(Indice_Suono(state.ArrSuoni, state.settings.Suono_Sveglie) + 1);

    connect(cboColorazioni, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < state.ArrColorazioni.size()) {
            state.settings.Tipo_colorazione = state.ArrColorazioni[index].Nome;
            state.settingsPending = true;
        }
    });
    connect(cboLingue, &QComboBox::activated, this, &TfrmOpzioni::cboLingueChange);
    connect(
        cboSuonoMemo, &QComboBox::activated, this, [this] { suonoChange(cboSuonoMemo, state.settings.Suono_Memo); });
    connect(cboSuonoSveglie, &QComboBox::activated, this,
        [this] { suonoChange(cboSuonoSveglie, state.settings.Suono_Sveglie); });
    connect(imgPlayMemo, &QToolButton::clicked, this, [this] { imgPlayClick(state.settings.Suono_Memo); });
    connect(imgPlayAllarme, &QToolButton::clicked, this, [this] { imgPlayClick(state.settings.Suono_Sveglie); });
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmOpzioni::close);

    // Sized for its texts before the first centring; FormShow writes them again.
    Testi_Lingua();
}

QGroupBox* TfrmOpzioni::buildCalDav(QWidget* parent)
{
    gbxCalDav = new QGroupBox(parent);
    lblCalDavUrl = new QLabel(gbxCalDav);
    editCalDavUrl = new QLineEdit(gbxCalDav);
    lblCalDavUtente = new QLabel(gbxCalDav);
    editCalDavUtente = new QLineEdit(gbxCalDav);
    btnImporta = new QPushButton(gbxCalDav);
    btnEsporta = new QPushButton(gbxCalDav);
    for (QPushButton* b : {btnImporta, btnEsporta})
        b->setAutoDefault(false); // Enter in a field is no import
    auto* grid = new QGridLayout(gbxCalDav);
    grid->setColumnStretch(1, 1);
    grid->addWidget(lblCalDavUrl, 0, 0);
    grid->addWidget(editCalDavUrl, 0, 1, 1, 3);
    grid->addWidget(lblCalDavUtente, 1, 0);
    grid->addWidget(editCalDavUtente, 1, 1);
    grid->addWidget(btnImporta, 1, 2);
    grid->addWidget(btnEsporta, 1, 3);
    connect(btnImporta, &QPushButton::clicked, this, [this] { fileIcs(false); });
    connect(btnEsporta, &QPushButton::clicked, this, [this] { fileIcs(true); });
    return gbxCalDav;
}

void TfrmOpzioni::fileIcs(bool exporting)
{
    if (!OnFileIcs)
        return;
    QFileDialog chooser(this, exporting ? texts.btnEsportaHint : texts.btnImportaHint,
        icsFolder.isEmpty() ? QDir::homePath() : icsFolder, texts.filtroIcs);
    chooser.setAcceptMode(exporting ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    chooser.setFileMode(exporting ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    chooser.setDefaultSuffix(QStringLiteral("ics"));
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return;
    const QString path = chooser.selectedFiles().constFirst();
    icsFolder = QFileInfo(path).absolutePath();
    const IcsOutcome outcome = OnFileIcs(exporting, path);
    const QString text
        = icsOutcomeText(state.settings.Lingua_attuale, outcome, QDir::toNativeSeparators(path), exporting);
    if (outcome.ok())
        services.boxes.information(text);
    else
        services.boxes.Errore(text);
}

void TfrmOpzioni::storeCalDav()
{
    UserSettings& s = state.settings;
    s.CalDAV_Utente = editCalDavUtente->text().trimmed();
    const QString address = editCalDavUrl->text().trimmed();
    if (address == s.CalDAV_URL)
        return;
    if (calDavAddressAcceptable(address))
        s.CalDAV_URL = address;
    else
        services.boxes.Errore(calDavRefusedText(s.Lingua_attuale, address));
}

void TfrmOpzioni::Apri(const QWidget* mainWindow)
{
    adjustSize();
    placeOver(*this, mainWindow);
    exec();
}

int TfrmOpzioni::Testi_Lingua()
{
    if (Testi_Opzioni(state.settings.Lingua_attuale, texts) < 1)
        return 0;
    setWindowTitle(texts.caption);
    chkConfCancell->setText(texts.chkConfCancell);
    chkAutoAvvio->setText(texts.chkAutoAvvio);
    chkNotifica_desktop->setText(texts.chkNotifica_desktop);
    lblPulsantiInc->setText(texts.lblPulsantiInc);
    lblMinutiAnticipo->setText(texts.lblMinutiAnticipo);
    lblPreavvAllarme->setText(texts.lblPreavvAllarme);
    for (QLabel* minuti : {lblMinuti1, lblMinuti2, lblMinuti3})
        minuti->setText(texts.minuti);
    for (QComboBox* list : {cboSuonoMemo, cboSuonoSveglie})
        list->setItemText(0, nessunSuonoMostrato(state.settings.Lingua_attuale));
    btnChiudi->setText(texts.btnChiudi);
    btnChiudi->setToolTip(texts.btnChiudiHint);
    lblColorazioni->setText(texts.lblColorazioni);
    lblLingua->setText(texts.lblLingua);
    gbxSuoni->setTitle(texts.gbxSuoni);
    lblSuonoMemo->setText(texts.lblSuonoMemo);
    lblSuonoAllarmi->setText(texts.lblSuonoAllarmi);
    gbxCalDav->setTitle(texts.gbxCalDav);
    lblCalDavUrl->setText(texts.lblCalDavUrl);
    editCalDavUrl->setPlaceholderText(texts.editCalDavUrlHint);
    editCalDavUrl->setToolTip(texts.editCalDavUrlHint);
    lblCalDavUtente->setText(texts.lblCalDavUtente);
    btnImporta->setText(texts.btnImporta);
    btnImporta->setToolTip(texts.btnImportaHint);
    btnEsporta->setText(texts.btnEsporta);
    btnEsporta->setToolTip(texts.btnEsportaHint);
    // Each field named by its label and unit, as a screen reader reads it
    // (after the labels have their words).
    const std::pair<QLabel*, QWidget*> named[] = {{lblPulsantiInc, editMinuti_incOrari},
        {lblMinutiAnticipo, edit_min_Imm}, {lblPreavvAllarme, edit_MinutiPreavv_allarme},
        {lblColorazioni, cboColorazioni}, {lblLingua, cboLingue}, {lblSuonoMemo, cboSuonoMemo},
        {lblSuonoAllarmi, cboSuonoSveglie}, {lblCalDavUrl, editCalDavUrl}, {lblCalDavUtente, editCalDavUtente}};
    for (const auto& [label, field] : named) {
        label->setBuddy(field);
        const bool minutes = qobject_cast<TA_EditCurr*>(field) != nullptr;
        field->setAccessibleName(label->text().trimmed() + (minutes ? u' ' + texts.minuti : QString()));
    }
    gbxNuoviMemo->setTitle(texts.gbxNuoviMemo);
    rdbNessunOrario->setText(texts.rdbNessunOrario);
    rdbOrarioComputer->setText(texts.rdbOrarioComputer);
    chkAttivaz_nuovi_memo->setText(texts.chkAttivaz_nuovi_memo);
    lblModEsecuzione->setText(texts.lblModEsecuzione);
    rdbUnaVolta->setText(texts.rdbUnaVolta);
    rdbRipetuto->setText(texts.rdbRipetuto);
    return 1;
}

void TfrmOpzioni::languageFailed(int result)
{
    services.boxes.Errore(languageErrorText(result, state.settings.Lingua_attuale));
    QCoreApplication::exit(1);
}

void TfrmOpzioni::showEvent(QShowEvent* event)
{
    // FormShow
    state.settingsPending = true;
    const int language = Testi_Lingua();
    if (language < 1)
        languageFailed(language);

    const BuildConfig& config = state.config;
    lblColorazioni->setVisible(config.MODIFICA_COLORI_ON);
    cboColorazioni->setVisible(config.MODIFICA_COLORI_ON);
    if (config.MODIFICA_COLORI_ON) {
        cboColorazioni->clear();
        for (const TColorazione& c : std::as_const(state.ArrColorazioni))
            cboColorazioni->addItem(c.Descrizione);
        cboColorazioni->setCurrentIndex(Indice_Colorazione(state.ArrColorazioni, state.settings.Tipo_colorazione));
    }
    lblLingua->setVisible(config.CAMBIO_LINGUA_ON);
    cboLingue->setVisible(config.CAMBIO_LINGUA_ON);
    if (config.CAMBIO_LINGUA_ON) {
        cboLingue->clear();
        cboLingue->addItems({languageItalian(), languageEnglish()});
        cboLingue->setCurrentIndex(
            cboLingue->findText(state.settings.Lingua_attuale, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    }

    const UserSettings& s = state.settings;
    setRadios();
    chkAttivaz_nuovi_memo->setChecked(s.Attivazione_nuovi_promemoria == 1);
    chkConfCancell->setChecked(s.Chiedi_conferma_cancellazione == 1);
    chkAutoAvvio->setChecked(s.Avvio_automatico == 1);
    chkNotifica_desktop->setChecked(s.Notifica_desktop == 1);
    showValue(editMinuti_incOrari, s.Incremento_orario_piu_meno);
    showValue(edit_min_Imm, s.Anticipo_per_memo_imminenti);
    showValue(edit_MinutiPreavv_allarme, s.Preavviso_predefinito_memo);
    editCalDavUrl->setText(s.CalDAV_URL);
    editCalDavUtente->setText(s.CalDAV_Utente);
    for (QPushButton* b : {btnImporta, btnEsporta})
        b->setEnabled(bool(OnFileIcs));
    QDialog::showEvent(event);
    pnlFocus->setFocus();
}

void TfrmOpzioni::setRadios()
{
    const UserSettings& s = state.settings;
    // Each group has one button on; the other follows.
    (s.Orario_predefinito_nuovi_promemoria == 1 ? rdbOrarioComputer : rdbNessunOrario)->setChecked(true);
    (s.Suono_allarme_ripeturamente == 1 ? rdbRipetuto : rdbUnaVolta)->setChecked(true);
}

void TfrmOpzioni::cboLingueChange()
{
    state.settings.Lingua_attuale = cboLingue->currentText();
    state.settingsPending = true;
    const int language = Testi_Lingua();
    if (language < 1)
        languageFailed(language);
    setRadios();
    if (OnLinguaCambiata)
        OnLinguaCambiata();
}

void TfrmOpzioni::suonoChange(const QComboBox* list, QString& setting)
{
    const int index = list->currentIndex();
    setting = index > 0 && index <= state.ArrSuoni.size() ? state.ArrSuoni[index - 1].Nome : noSoundName();
    state.settingsPending = true;
}

void TfrmOpzioni::imgPlayClick(const QString& setting)
{
    const int i = Indice_Suono(state.ArrSuoni, setting);
    if (i >= 0)
        services.sound.playPreview(state.ArrSuoni[i].Percorso);
}

void TfrmOpzioni::done(int result)
{
    // FormCloseQuery: whatever is shown is stored. Only a sound tried out
    // here stops: an open warning's goes on until it is answered.
    services.sound.endPreview();
    UserSettings& s = state.settings;
    s.Chiedi_conferma_cancellazione = chkConfCancell->isChecked() ? 1 : 0;
    s.Attivazione_nuovi_promemoria = chkAttivaz_nuovi_memo->isChecked() ? 1 : 0;
    s.Avvio_automatico = chkAutoAvvio->isChecked() ? 1 : 0;
    s.Notifica_desktop = chkNotifica_desktop->isChecked() ? 1 : 0;
    s.Incremento_orario_piu_meno = wholeMinutes(editMinuti_incOrari);
    s.Anticipo_per_memo_imminenti = wholeMinutes(edit_min_Imm);
    s.Preavviso_predefinito_memo = wholeMinutes(edit_MinutiPreavv_allarme);
    s.Orario_predefinito_nuovi_promemoria = rdbOrarioComputer->isChecked() ? 1 : 0;
    s.Suono_allarme_ripeturamente = rdbRipetuto->isChecked() ? 1 : 0;
    storeCalDav();
    // The timer saves while the dialog is open too: what was stored now
    // needs a save of its own.
    state.settingsPending = true;
    QDialog::done(result);
}
