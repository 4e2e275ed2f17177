#pragma once

#include <QDialog>

class QLineEdit;
class QCheckBox;
class QPushButton;

// The smallest login window the start sequence can run with until the real one is plugged
// into its hook: user name, password, remember box, OK and cancel. Like the real window it
// loads the built-in configuration and the settings file when created; a load error is shown
// in an error box and the remaining loading is skipped.
class StandInLoginDialog : public QDialog
{
    Q_OBJECT
public:
    explicit StandInLoginDialog(QWidget* parent = nullptr);

    QLineEdit* EDUserName = nullptr;
    QLineEdit* EDPassword = nullptr;
    QCheckBox* chkRemberPsw = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

    // Shows the dialog modally; true with the trimmed texts when it closed with OK.
    static bool run(QString& userName, QString& password);

private:
    void loadConfiguration();
};
