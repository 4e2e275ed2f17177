#include "im/HslTint.h"

#include <QtTest>

using HslTint::Hsl;
using HslTint::Rgb;

Q_DECLARE_METATYPE(HslTint::Rgb)

namespace QTest {
template <> char* toString(const HslTint::Rgb& c)
{
    return qstrdup(QByteArray("(" + QByteArray::number(c.r) + "," + QByteArray::number(c.g) + "," +
                              QByteArray::number(c.b) + ")")
                       .constData());
}
} // namespace QTest

class HslTintTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void toHsl_data();
    void toHsl();
    void fromHsl_data();
    void fromHsl();
    void tint_data();
    void tint();
};

void HslTintTest::toHsl_data()
{
    QTest::addColumn<Rgb>("colour");
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("s");
    QTest::addColumn<double>("l");
    QTest::newRow("grey") << Rgb{128, 128, 128} << 0.0 << 0.0 << 12800.0 / 255;
    QTest::newRow("green") << Rgb{0, 255, 0} << 120.0 << 100.0 << 50.0;
    // Theme colour #CEDCEF: max blue, (r - g) / d + 4 = 4 - 14/33; S = 33 / 65.
    QTest::newRow("theme") << Rgb{0xCE, 0xDC, 0xEF} << (4 - 14.0 / 33) * 60 << 3300.0 / 65
                           << 44500.0 / 510;
    // A negative hue is lifted by a full turn: (0 - 128/255) / 1 / 6 + 1.
    QTest::newRow("negative hue") << Rgb{255, 0, 128} << (1 - 128.0 / 255 / 6) * 360 << 100.0
                                  << 50.0;
    QTest::newRow("dark, below half") << Rgb{100, 50, 50} << 0.0 << 5000.0 / 150 << 15000.0 / 510;
}

void HslTintTest::toHsl()
{
    QFETCH(Rgb, colour);
    QFETCH(double, h);
    QFETCH(double, s);
    QFETCH(double, l);
    const Hsl hsl = HslTint::toHsl(colour);
    QVERIFY2(qAbs(hsl.h - h) < 1e-9, qPrintable(QString::number(hsl.h)));
    QVERIFY2(qAbs(hsl.s - s) < 1e-9, qPrintable(QString::number(hsl.s)));
    QVERIFY2(qAbs(hsl.l - l) < 1e-9, qPrintable(QString::number(hsl.l)));
}

void HslTintTest::fromHsl_data()
{
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("s");
    QTest::addColumn<double>("l");
    QTest::addColumn<Rgb>("rgb");
    QTest::newRow("pure red") << 0.0 << 100.0 << 50.0 << Rgb{255, 0, 0};
    QTest::newRow("no saturation is mid grey") << 200.0 << 0.0 << 50.0 << Rgb{128, 128, 128};
    // (255+128)/2 = 191.5 -> 192, (17+128)/2 = 72.5 -> 72 (halves to even), 128/2 = 64.
    QTest::newRow("halves to even") << 4.0 << 50.0 << 50.0 << Rgb{192, 72, 64};
    QTest::newRow("lightness 100 is white") << 300.0 << 80.0 << 100.0 << Rgb{255, 255, 255};
    QTest::newRow("lightness 0 is black") << 30.0 << 80.0 << 0.0 << Rgb{0, 0, 0};
    // 255 - 15 * 4.25 = 191.25 -> 191; lightened by 0.5: 223, 255, 128 (127.5 -> 128).
    QTest::newRow("lighter, second sixth") << 75.0 << 100.0 << 75.0 << Rgb{223, 255, 128};
    // 255 - 50 * 4.25 = 42.5 -> 42 after the pull; darkened by half: 21.
    QTest::newRow("darker, last sixth") << 350.0 << 100.0 << 25.0 << Rgb{128, 0, 21};
    QTest::newRow("hue 360 is black") << 360.0 << 50.0 << 50.0 << Rgb{0, 0, 0};
    QTest::newRow("negative hue is black") << -1.0 << 50.0 << 50.0 << Rgb{0, 0, 0};
    QTest::newRow("saturation over 100 is black") << 10.0 << 100.5 << 50.0 << Rgb{0, 0, 0};
    QTest::newRow("lightness over 100 is black") << 10.0 << 50.0 << 101.0 << Rgb{0, 0, 0};
}

void HslTintTest::fromHsl()
{
    QFETCH(double, h);
    QFETCH(double, s);
    QFETCH(double, l);
    QFETCH(Rgb, rgb);
    QCOMPARE(HslTint::fromHsl(Hsl{h, s, l}), rgb);
}

void HslTintTest::tint_data()
{
    QTest::addColumn<Rgb>("pixel");
    QTest::addColumn<Rgb>("colour");
    QTest::addColumn<Rgb>("result");
    const Rgb theme{0xCE, 0xDC, 0xEF};
    // Hue 214.545: (0, 108.18, 255); pulled by 32/65: (63, 118, 192); lightened by 1/255.
    QTest::newRow("grey to theme") << Rgb{128, 128, 128} << theme << Rgb{64, 119, 192};
    QTest::newRow("black stays black") << Rgb{0, 0, 0} << theme << Rgb{0, 0, 0};
    QTest::newRow("white stays white") << Rgb{255, 255, 255} << theme << Rgb{255, 255, 255};
    // #7F9DB9: hue 208.97, saturation 58/198; the red pixel keeps lightness 50:
    // (0, 131.90, 255) pulled by 0.7071 gives (90.505 -> 91, 129.14 -> 129, 165.20 -> 165).
    QTest::newRow("red to arrow colour")
        << Rgb{255, 0, 0} << Rgb{0x7F, 0x9D, 0xB9} << Rgb{91, 129, 165};
}

void HslTintTest::tint()
{
    QFETCH(Rgb, pixel);
    QFETCH(Rgb, colour);
    QFETCH(Rgb, result);
    QCOMPARE(HslTint::tint(pixel, HslTint::toHsl(colour)), result);
}

QTEST_GUILESS_MAIN(HslTintTest)
#include "tst_HslTint.moc"
