#include "ui/main/LazyWebView.h"

#include "ui/common/WebEngine.h"

#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <utility>

namespace {
constexpr int kExposeRetryMs = 20;

bool& enginesOn()
{
    static bool on = true;
    return on;
}

int& holds()
{
    static int count = 0;
    return count;
}

// Views shown while creation was held, in the order they were shown.
QList<QPointer<LazyWebView>>& waiting()
{
    static QList<QPointer<LazyWebView>> views;
    return views;
}
} // namespace

void LazyWebView::holdCreation()
{
    ++holds();
}

void LazyWebView::releaseCreation()
{
    if (holds() == 0 || --holds() > 0)
        return;
    const QList<QPointer<LazyWebView>> views = std::exchange(waiting(), {});
    for (const QPointer<LazyWebView>& view : views) {
        if (view)
            view->scheduleCreation();
    }
}

void LazyWebView::setEnginesEnabled(bool on)
{
    enginesOn() = on;
}

bool LazyWebView::enginesEnabled()
{
    return enginesOn();
}

LazyWebView::LazyWebView(const QString& name, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void LazyWebView::navigate(const QUrl& url)
{
    m_address = url;
    if (m_view)
        m_view->load(url);
}

void LazyWebView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The first engine view of the process starts the engine, which holds the thread for a
    // second: the window is drawn first, the view is made on a later turn of the loop.
    if (m_view || m_creationPending || !enginesEnabled())
        return;
    m_creationPending = true;
    if (holds() > 0)
        waiting().append(this);
    else
        scheduleCreation();
}

void LazyWebView::scheduleCreation()
{
    QTimer::singleShot(0, this, [this] {
        if (m_view || !isVisible()) {
            m_creationPending = false;
            return;
        }
        // A window is drawn when it is exposed; until then the view waits.
        const QWindow* handle = window()->windowHandle();
        if (handle && !handle->isExposed()) {
            QTimer::singleShot(kExposeRetryMs, this, [this] { scheduleCreation(); });
            return;
        }
        m_creationPending = false;
        createView();
    });
}

void LazyWebView::createView()
{
    WebSurface::Options options;
    options.objectName = objectName() + QStringLiteral("Engine");
    options.noContextMenu = m_noContextMenu;
    options.borderlessBody = m_borderless;
    m_view = WebEngine::createSurface(this, options);
    if (!m_view)
        return;
    layout()->addWidget(m_view->widget());
    if (m_address.isValid())
        m_view->load(m_address);
}

QWidget* LazyWebView::view() const
{
    return m_view ? m_view->widget() : nullptr;
}
