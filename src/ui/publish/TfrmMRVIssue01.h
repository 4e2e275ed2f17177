#pragma once

#include "publish/LandListingComposer.h"
#include "ui/publish/PublishWindow.h"

class DigitPad;
class LimitedTextEdit;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class RegionComboCascade;

// "点选发布": the user picks places, goods, truck lengths and types, quantities and price words,
// "生成" composes the listing text from them, and "发布(&I)" publishes it as a land listing.
class TfrmMRVIssue01 : public PublishWindow
{
    Q_OBJECT
public:
    explicit TfrmMRVIssue01(const PublishWindowServices& services,
                            LandListingComposer composer = LandListingComposer(),
                            QWidget* parent = nullptr);

    // 1 cargo, 2 truck.
    int category() const { return m_category; }
    // The cargo group stands left of the truck group.
    bool cargoFirst() const;

    LimitedTextEdit* mmoContent = nullptr;
    QRadioButton* rbCargo = nullptr;
    QRadioButton* rbCar = nullptr;
    QCheckBox* chkConsistProv = nullptr;
    QComboBox* cbProv = nullptr;
    QComboBox* cbCity = nullptr;
    QComboBox* cmbCountry = nullptr;
    QComboBox* cbToProv = nullptr;
    QComboBox* cbToCity = nullptr;
    QComboBox* cbtoCountry = nullptr;
    QGroupBox* grpCargo = nullptr;
    QListWidget* lst1 = nullptr;
    QLineEdit* edtDigitCargo = nullptr;
    QPushButton* btnCounty1 = nullptr;
    QComboBox* cbb1 = nullptr;
    QGroupBox* grpCar = nullptr;
    QListWidget* lst2 = nullptr;
    QListWidget* lst3 = nullptr;
    QLineEdit* edtDigitCar = nullptr;
    QPushButton* btn1 = nullptr;
    QGroupBox* grp2 = nullptr;
    QLineEdit* edtDigitPrice = nullptr;
    QPushButton* btn2 = nullptr;
    QListWidget* lst4 = nullptr;
    DigitPad* pnlDigit = nullptr;
    QPushButton* btnGenerate = nullptr;
    QPushButton* ColorButton1 = nullptr;
    QPushButton* btnIssue = nullptr;
    QPushButton* btnClose = nullptr;
    QCheckBox* chkAutoClose = nullptr;

public Q_SLOTS:
    void rbCargoClick();
    void rbCarClick();
    void btnGenerateClick();
    void btnIssueClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* makeList(const QString& name, const QStringList& words, int columns);
    QComboBox* makePlaceBox(const QString& name);
    QLineEdit* makeNumberField(const QString& name);
    void placeGroups(QGroupBox* left, QGroupBox* right);
    void showPad(QLineEdit* target, bool below);

    LandListingComposer m_composer;
    RegionComboCascade* m_from = nullptr;
    RegionComboCascade* m_to = nullptr;
    int m_category = 1;
    QPoint m_leftGroupPosition;
};
