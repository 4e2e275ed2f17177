#pragma once

#include <QUrl>
#include <QWidget>

class WebSurface;

// A web view that costs nothing until it is first shown. The engine view is made on a turn of
// the event loop after the window around it is exposed, so that the window is on screen
// before the engine starts. Addresses given before that are remembered; the last one
// is opened when the engine view is created.
class LazyWebView : public QWidget
{
    Q_OBJECT
public:
    explicit LazyWebView(const QString& name, QWidget* parent = nullptr);

    void navigate(const QUrl& url);
    // The address last given (pending or opened).
    QUrl address() const { return m_address; }
    bool isCreated() const { return m_view != nullptr; }
    // The engine's view; nullptr until created (or without a web engine).
    QWidget* view() const;

    // No context menu on right clicks.
    void setContextMenuSuppressed(bool on) { m_noContextMenu = on; }
    // The document body's border style set to "none" once a page has loaded.
    void setBorderlessBody(bool on) { m_borderless = on; }

    // Tests that need no pages switch the engine off; views then stay placeholders.
    static void setEnginesEnabled(bool on);
    static bool enginesEnabled();
    // While held (calls nest), views shown wait; the last release makes them on the next turn
    // of the loop. The main window holds them until its first listings are on screen.
    static void holdCreation();
    static void releaseCreation();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void scheduleCreation();
    void createView();

    QUrl m_address;
    WebSurface* m_view = nullptr;
    bool m_noContextMenu = false;
    bool m_borderless = false;
    bool m_creationPending = false;
};
