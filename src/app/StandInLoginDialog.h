#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The smallest login window the start sequence can run with until the real one is plugged
// into its hook: user name, password, OK and cancel. It loads nothing by itself.
class StandInLoginDialog : public QDialog
{
    Q_OBJECT
public:
    explicit StandInLoginDialog(QWidget* parent = nullptr);

    QLineEdit* EDUserName = nullptr;
    QLineEdit* EDPassword = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

    // Shows the dialog modally; true with the trimmed texts when it closed with OK.
    static bool run(QString& userName, QString& password);
};
