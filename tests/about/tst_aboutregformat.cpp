#include "about/regformat.h"

#include <QTest>

// The text of a registry number value: bytes to literal, literal to decimal digits.
class AboutRegFormatTest final : public QObject {
    Q_OBJECT

private slots:
    void literalOfBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("literal");
        QTest::newRow("261 without its zero top byte") << QByteArray::fromHex("050100") << "&h000105";
        QTest::newRow("all four bytes") << QByteArray::fromHex("78563412") << "&h12345678";
        QTest::newRow("upper-case digits") << QByteArray::fromHex("0fa0") << "&hA00F";
        QTest::newRow("one byte keeps its leading zero") << QByteArray::fromHex("07") << "&h07";
        QTest::newRow("no bytes") << QByteArray() << "&h";
        QTest::newRow("bytes above 127") << QByteArray::fromHex("ff80") << "&h80FF";
    }
    void literalOfBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, literal);
        QCOMPARE(hexLiteral(bytes), literal);
    }

    void formattedLiteral_data()
    {
        QTest::addColumn<QString>("literal");
        QTest::addColumn<QString>("text");
        QTest::newRow("the example") << "&h000105" << "261";
        QTest::newRow("zero") << "&h000000" << "0";
        QTest::newRow("upper-case prefix") << "&H0105" << "261";
        QTest::newRow("lower-case digits") << "&h00ff" << "255";
        QTest::newRow("four digits are 16 bits: largest") << "&h7FFF" << "32767";
        QTest::newRow("four digits are 16 bits: sign bit") << "&h8000" << "-32768";
        QTest::newRow("four digits are 16 bits: all ones") << "&hFFFF" << "-1";
        QTest::newRow("six digits are 32 bits") << "&h00FFFF" << "65535";
        QTest::newRow("eight digits: largest") << "&h7FFFFFFF" << "2147483647";
        QTest::newRow("eight digits: sign bit") << "&h80000001" << "-2147483647";
        QTest::newRow("eight digits: all ones") << "&hFFFFFFFF" << "-1";
        QTest::newRow("no digits is no number") << "&h" << "&h";
        QTest::newRow("not hexadecimal") << "&hXY" << "&hXY";
        QTest::newRow("no prefix") << "105" << "105";
    }
    void formattedLiteral()
    {
        QFETCH(QString, literal);
        QFETCH(QString, text);
        const std::optional<QString> formatted = formatHexLiteral(literal);
        QVERIFY(formatted.has_value());
        QCOMPARE(*formatted, text);
    }

    void moreThanEightDigitsOverflow_data()
    {
        QTest::addColumn<QString>("literal");
        QTest::newRow("ten digits") << "&h0102030405";
        QTest::newRow("ten zero digits") << "&h0000000000";
    }
    void moreThanEightDigitsOverflow()
    {
        QFETCH(QString, literal);
        QVERIFY(!formatHexLiteral(literal).has_value());
    }
};

QTEST_APPLESS_MAIN(AboutRegFormatTest)
#include "tst_aboutregformat.moc"
