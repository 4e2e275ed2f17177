#include "ui/main/LazyWebView.h"

#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {
bool& enginesOn()
{
    static bool on = true;
    return on;
}
} // namespace

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
    if (!m_view && enginesEnabled())
        createView();
}

void LazyWebView::createView()
{
    m_view = new QWebEngineView(this);
    m_view->setObjectName(objectName() + QStringLiteral("Engine"));
    if (m_noContextMenu)
        m_view->setContextMenuPolicy(Qt::NoContextMenu);
    if (m_borderless) {
        connect(m_view, &QWebEngineView::loadFinished, m_view, [view = m_view](bool ok) {
            if (ok)
                view->page()->runJavaScript(
                    QStringLiteral("if (document.body) document.body.style.border = 'none';"));
        });
    }
    layout()->addWidget(m_view);
    if (m_address.isValid())
        m_view->load(m_address);
}
