#pragma once

#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

// What the windows use of a web view. The web engine is a library of its own, opened when the
// first view is made (WebEngine::createSurface), so the program starts and shows its login
// window without loading it. This header is all the windows and the library share.
class WebSurface
{
public:
    struct Navigation
    {
        QUrl url;
        bool linkClicked = false; // the user clicked a link
        bool mainFrame = true;
    };

    struct Options
    {
        QString objectName;
        bool noContextMenu = true;
        // Addresses with schemes the engine does not know reach acceptNavigation at all.
        bool allowUnknownUrlSchemes = false;
        // The document body's border style set to "none" once a page has loaded.
        bool borderlessBody = false;
        // Whether the view goes to a navigation's address; empty: every navigation goes.
        std::function<bool(const Navigation&)> acceptNavigation;
        // A page asks for a new window (a link with target="_blank"): the address it wants.
        // Empty: no window opens.
        std::function<void(const QUrl&)> newWindowRequested;
        std::function<void(bool ok)> loadFinished;
    };

    virtual ~WebSurface() = default;

    // The view itself; its parent owns it, and this object goes with it.
    virtual QWidget* widget() = 0;
    virtual void load(const QUrl& url) = 0;
    virtual void setHtml(const QString& html, const QUrl& baseUrl) = 0;
    virtual QUrl url() const = 0;
    // Runs a script in a world of its own: the page's scripts cannot see or change it.
    virtual void runScript(const QString& script) = 0;
};

// The one function the web engine library exports, as "tovantaCreateWebSurface".
using WebSurfaceFactory = WebSurface* (*)(QWidget* parent, const WebSurface::Options& options);
