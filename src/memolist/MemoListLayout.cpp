#include "memolist/MemoListLayout.h"

#include "controls/HighlightLabel.h"
#include "memolist/MemoListPanel.h"
#include "memolist/WindowLayout.h"
#include "platform/Launcher.h"
#include "platform/Resources.h"
#include "platform/Services.h"
#include "state/AppState.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>

namespace {

// The client area: pnlGen above, the banner below when it shows.
class ClientArea : public QWidget {
public:
    std::function<void()> onResize;

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        if (onResize)
            onResize();
    }
};

// The banner's picture, decoded at its first paint and scaled down to fit
// only for the size it is painted at: the window is resized a few times
// while it is built, and the banner may never show.
class BannerLabel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> onClick;
    QByteArray encoded;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QLabel::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick)
            onClick();
    }

    void paintEvent(QPaintEvent* event) override
    {
        QLabel::paintEvent(event);
        if (!encoded.isEmpty()) {
            if (!m_picture.loadFromData(encoded, pictureFormat(encoded)))
                m_picture = QPixmap();
            encoded.clear();
        }
        if (m_picture.isNull())
            return;
        // A banner wider than the window is scaled down whole, its text not cut at the sides.
        const qreal dpr = devicePixelRatioF();
        const QSize room = size() * dpr;
        if (m_shown.isNull() || room != m_shownFor) {
            m_shownFor = room;
            const bool wider = m_picture.width() > width() || m_picture.height() > height();
            m_shown = wider ? m_picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation) : m_picture;
            if (wider)
                m_shown.setDevicePixelRatio(dpr);
        }
        QPainter painter(this);
        style()->drawItemPixmap(&painter, contentsRect(), int(alignment()), m_shown);
    }

private:
    QPixmap m_picture; // as read
    QPixmap m_shown;
    QSize m_shownFor;
};

} // namespace

MemoListLayout::MemoListLayout(AppState& appState, Services& appServices, QWidget* mainWindow, MemoListPanel* panel)
    : QObject(mainWindow)
    , state(appState)
    , services(appServices)
    , window(mainWindow)
    , pnlGen(panel)
{
    auto* area = new ClientArea;
    m_client = area;
    pnlGen->setParent(area);
    pnlBanner = new QWidget(area);
    pnlBanner->setObjectName(QStringLiteral("pnlBanner"));
    auto* banner = new BannerLabel(pnlBanner);
    imgBanner = banner;
    imgBanner->setObjectName(QStringLiteral("imgBanner"));
    imgBanner->setAlignment(Qt::AlignCenter);
    imgBanner->setCursor(Qt::PointingHandCursor);
    banner->encoded = state.config.bannerPicture;
    banner->onClick = [this] { services.launcher.Apri_Url(state.config.LINK_BANNER); };
    pnlBanner->hide();
    area->onResize = [this] { placeParts(); };
    connect(pnlGen, &MemoListPanel::linkClicked, this, [this] { services.launcher.Apri_Url(IndirizzoLink); });
    connect(pnlGen, &MemoListPanel::sizeToggleRequested, this, &MemoListLayout::Alterna_Dimensione);
    connect(pnlGen, &MemoListPanel::stayOnTopToggleRequested, this, [this] {
        state.settings.Stay_on_top = state.settings.Stay_on_top == 1 ? 0 : 1;
        state.settingsPending = true;
        Applica_Primo_Piano();
    });
}

void MemoListLayout::placeParts()
{
    const int w = m_client->width();
    const int banner = m_bannerShown ? ALTEZZA_BANNER : 0;
    const int h = qMax(0, m_client->height() - banner);
    pnlGen->setGeometry(0, 0, w, h);
    pnlBanner->setGeometry(0, h, w, banner);
    imgBanner->setGeometry(0, 0, w, banner);
}

QSize MemoListLayout::frame() const
{
    // Title bar and borders; nothing until a window manager has framed it.
    const QRect outer = window->frameGeometry();
    return QSize(outer.width() - window->width(), outer.height() - window->height());
}

int MemoListLayout::pnlGenHeight() const
{
    return window->height() - (m_bannerShown ? ALTEZZA_BANNER : 0);
}

void MemoListLayout::applyLimits()
{
    const QSize f = frame();
    window->setMinimumSize(LARGHEZZA_MINIMA - f.width(),
        altezzaMinima(window->logicalDpiY(), state.settings.vis_banner == 1) - f.height());
}

void MemoListLayout::Applica_Banner(bool resize)
{
    const bool show = state.settings.vis_banner == 1;
    const int h = pnlGenHeight();
    m_bannerShown = show;
    applyLimits();
    if (resize)
        window->resize(window->width(), h + (show ? ALTEZZA_BANNER : 0));
    pnlGen->bvlBanner->setVisible(show);
    pnlBanner->setVisible(show);
    placeParts();
    if (state.config.RIDIMENSIONAMENTO_ON) {
        pnlGen->imgConBanner->setVisible(show);
        pnlGen->imgSenzaBanner->setVisible(!show);
    }
    Applica_Link();
}

void MemoListLayout::Applica_Link()
{
    const BuildConfig& c = state.config;
    const bool large = state.settings.vis_banner != 0;
    pnlGen->hglLink->setText(large ? c.SCRITTE_LINK_GRANDE : c.SCRITTE_LINK_PICCOLO);
    IndirizzoLink = large ? c.INDIRIZZO_LINK_GRANDE : c.INDIRIZZO_LINK_PICCOLO;
}

void MemoListLayout::Alterna_Dimensione()
{
    if (state.config.RIDIMENSIONAMENTO_ON) {
        state.settings.vis_banner = state.settings.vis_banner != 1 ? 1 : 0;
        state.settingsPending = true;
        Applica_Banner(true);
    }
    Applica_Link();
}

void MemoListLayout::Applica_Primo_Piano()
{
    const bool onTop = state.settings.Stay_on_top == 1;
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop) {
        // Changing a flag hides the window: show it again where it was.
        const bool shown = window->isVisible();
        window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
        if (shown)
            window->show();
    }
    pnlGen->imgTopMost->setVisible(onTop);
    pnlGen->imgNormal->setVisible(!onTop);
}

void MemoListLayout::Applica_Posizione()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen)
        window->move(Posizione_Centrata(window->frameGeometry().size(), screen->geometry().size()));
}

void MemoListLayout::applyStartingSize()
{
    UserSettings& s = state.settings;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() : QSize(LARGHEZZA_MINIMA, altezzaMinima(96, false));
    const QSize f = frame();
    if (Banner_Forzato(state.config, s.qt_aperture_prog))
        s.vis_banner = 1;
    // Saved values are any number the settings file held: keep the window
    // between its smallest size and the screen.
    const int lowest = altezzaMinima(window->logicalDpiY(), false) - f.height();
    const int banner = s.vis_banner == 1 ? ALTEZZA_BANNER : 0;
    const int height = sizeWithin(s.Height_pnlGen, lowest, room.height() - f.height() - banner);
    const int width = sizeWithin(s.Width_Appl, LARGHEZZA_MINIMA - f.width(), room.width() - f.width());
    window->setMinimumSize(LARGHEZZA_MINIMA - f.width(), lowest);
    m_bannerShown = false;
    window->resize(width, height);
    Applica_Banner(true);
}
