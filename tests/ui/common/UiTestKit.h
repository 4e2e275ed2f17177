#pragma once

#include <QString>

class QWidget;

// Helpers the window tests share: where pictures go, taking them, typing Chinese text.
namespace UiTestKit {

// The build folder's artifacts folder (TOVANTA_ARTIFACT_DIR overrides it), or a subfolder of it;
// created when missing.
QString artifactDirectory(const QString& subfolder = QString());

// Saves the window as it is on the display, web views included, under `name` in the artifacts
// folder. A picture is an artefact, not a check; a failed save fails the test all the same.
void saveScreenshot(QWidget* window, const QString& name, const QString& subfolder = QString());

// Types the text key by key; QTest::keyClicks knows only ASCII keys.
void typeInto(QWidget* widget, const QString& text);

} // namespace UiTestKit
