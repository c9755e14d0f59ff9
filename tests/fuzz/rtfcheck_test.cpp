// The RTF checks of rtf_fuzz, run in every build: the built-in documents,
// the hand-written corpus, every cut of the help text and thousands of
// deterministic mutations of them.
#include <QDir>
#include <QFile>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <random>

#include "documents.h"
#include "rtfcheck.h"
#include "rtfreader.h"

namespace {

void expectHolds(const QByteArray& rtf, const std::string& what)
{
    const auto failure = checkRtfInput(reinterpret_cast<const uint8_t*>(rtf.constData()), rtf.size());
    EXPECT_FALSE(failure.has_value()) << what << ": " << *failure;
}

QList<QByteArray> corpus()
{
    QList<QByteArray> inputs = builtInDocuments();
    for (const char* folder : {FUZZ_RTF_CORPUS, FUZZ_RTF_SOURCES}) {
        const QDir dir(QString::fromUtf8(folder));
        for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
            QFile file(dir.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                inputs.append(file.readAll());
        }
    }
    return inputs;
}

TEST(RtfCheck, BuiltInDocumentsReadAsTheirText)
{
    const QList<QByteArray> docs = builtInDocuments();
    ASSERT_EQ(docs.size(), 2);
    expectHolds(docs[0], "help");
    expectHolds(docs[1], "guidance");
    QTextDocument help;
    readRtf(docs[0], help);
    for (const char* heading : {"Назначение", "Задача", "Сложность", "Пауза"})
        EXPECT_TRUE(help.toPlainText().contains(QString::fromUtf8(heading))) << heading;
}

TEST(RtfCheck, HandWrittenCorpusHolds)
{
    const QList<QByteArray> inputs = corpus();
    ASSERT_GE(inputs.size(), 12);
    for (qsizetype i = 0; i < inputs.size(); ++i)
        expectHolds(inputs[i], "corpus file " + std::to_string(i));
}

TEST(RtfCheck, EveryCutOfTheHelpTextHolds)
{
    const QByteArray help = builtInDocuments().value(0);
    ASSERT_GT(help.size(), 1000);
    for (qsizetype cut = 0; cut < help.size(); cut += 23) {
        expectHolds(help.left(cut), "first " + std::to_string(cut) + " bytes");
        expectHolds(help.mid(cut), "from byte " + std::to_string(cut));
    }
}

// Byte flips, RTF punctuation dropped in, pieces doubled and cut: the first
// things a fuzzer tries.
TEST(RtfCheck, ThousandsOfMutationsHold)
{
    const QList<QByteArray> inputs = corpus();
    std::mt19937 random(1049);
    const char punctuation[] = {'{', '}', '\\', '\'', '-', '0', '9', ' ', 'u', '*'};
    for (int n = 0; n < 2500; ++n) {
        QByteArray input = inputs[static_cast<qsizetype>(random() % inputs.size())];
        if (input.size() > 1500)
            input = input.mid(static_cast<qsizetype>(random() % (input.size() - 1000)), 1000);
        for (int edits = static_cast<int>(random() % 16); edits >= 0 && !input.isEmpty(); --edits) {
            const qsizetype at = static_cast<qsizetype>(random() % input.size());
            switch (random() % 5) {
            case 0: input[at] = static_cast<char>(random()); break;
            case 1: input.insert(at, punctuation[random() % sizeof punctuation]); break;
            case 2: input.insert(at, input.mid(at, static_cast<qsizetype>(random() % 64))); break;
            case 3: input.remove(at, static_cast<qsizetype>(random() % 16)); break;
            default: input.insert(at, "\\bin" + QByteArray::number(static_cast<int>(random() % 40) - 5)); break;
            }
        }
        const auto failure = checkRtfInput(reinterpret_cast<const uint8_t*>(input.constData()), input.size());
        ASSERT_FALSE(failure.has_value()) << "mutation " << n << ": " << *failure;
    }
}

TEST(RtfCheck, RandomBytesHold)
{
    std::mt19937 random(866);
    for (int n = 0; n < 500; ++n) {
        QByteArray input(static_cast<qsizetype>(random() % 2048), '\0');
        for (char& byte : input)
            byte = static_cast<char>(random());
        const auto failure = checkRtfInput(reinterpret_cast<const uint8_t*>(input.constData()), input.size());
        ASSERT_FALSE(failure.has_value()) << "input " << n << ": " << *failure;
    }
}

}  // namespace
