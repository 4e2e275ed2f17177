#pragma once

#include "ui/common/WebSurface.h"

#include <functional>

// What a conversation view does with links. Links in chat lines open in the system browser;
// the conversation itself never navigates away, so no line on screen is lost by a click. Only
// web addresses are handed on.
class ChatLinkPolicy
{
public:
    using Opener = std::function<void(const QUrl&)>;

    explicit ChatLinkPolicy(Opener opener);

    static bool isWebAddress(const QUrl& url);

    // The options of a conversation view that follows this policy. Chat links carry
    // target="_blank": the new window they ask for only hands its address on.
    WebSurface::Options viewOptions(const QString& objectName) const;

    // Whether the view goes to the address; a clicked link is handed on instead.
    bool acceptNavigation(const WebSurface::Navigation& navigation) const;
    void open(const QUrl& url) const;

private:
    Opener m_opener;
};
