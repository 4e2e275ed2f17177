#pragma once

#include "publish/LandListingComposer.h"
#include "publish/PublishWords.h"
#include "ui/publish/PublishWindow.h"

class LimitedTextEdit;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QMenu;
class QRadioButton;
class RegionComboCascade;
class WordZone;

// "选字发布": the user builds the listing text from word buttons, pop-up word menus and word
// grids; publishing puts the places in front of it.
class TfrmMRVIssue : public PublishWindow
{
    Q_OBJECT
public:
    explicit TfrmMRVIssue(const PublishWindowServices& services,
                          LandListingComposer composer = LandListingComposer(),
                          QWidget* parent = nullptr);

    int category() const { return m_category; }

    LimitedTextEdit* mmoContent = nullptr;
    QRadioButton* rbCargo = nullptr;
    QRadioButton* rbCar = nullptr;
    QComboBox* cbProv = nullptr;
    QComboBox* cbCity = nullptr;
    QComboBox* cmbCountry = nullptr;
    QComboBox* cbtoProv1 = nullptr;
    QComboBox* cbtoCity1 = nullptr;
    QComboBox* cbtoCountry1 = nullptr;
    QGroupBox* grpPad = nullptr;
    QPushButton* btnBack = nullptr;
    QPushButton* btnCargo2 = nullptr;
    WordZone* pnlZone = nullptr;
    QPushButton* btnIssue = nullptr;
    QPushButton* ColorButton2 = nullptr;
    QPushButton* btnClose = nullptr;
    QCheckBox* chkAutoClose = nullptr;

public Q_SLOTS:
    void btnIssueClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* makePlaceBox(const QString& name);
    QPushButton* makeMenuButton(const QString& name, const PublishWords::Menu& words);
    void addWord(const QString& word);

    LandListingComposer m_composer;
    RegionComboCascade* m_from = nullptr;
    RegionComboCascade* m_to = nullptr;
    int m_category = 1;
};
