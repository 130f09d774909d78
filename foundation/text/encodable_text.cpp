#include "encodable_text.h"

#include <QLineEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "cp932.h"
#include "message_box.h"

namespace foundation {

namespace {

// More would make a box taller than the screen; the rest are counted.
constexpr int kNamedAtMost = 20;

QString CodeOf(const QString& character) {
    const char32_t c = character.size() == 2 && character.at(0).isHighSurrogate()
                           ? QChar::surrogateToUcs4(character.at(0), character.at(1))
                           : character.at(0).unicode();
    return QStringLiteral("U+%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper();
}

// 「😀」(U+1F600)　「♡」(U+2661) ... ; the code tells an invisible or unknown character apart.
QString NameList(const QStringList& characters) {
    QStringList named;
    for (const QString& c : characters.mid(0, kNamedAtMost))
        named << QStringLiteral("「%1」(%2)").arg(c, CodeOf(c));
    QString list = named.join(QStringLiteral("　"));
    if (characters.size() > kNamedAtMost)
        list += QStringLiteral("　ほか%1文字").arg(characters.size() - kNamedAtMost);
    return list;
}

QStringList CharactersOf(const std::vector<QString*>& texts) {
    QStringList all;
    for (const QString* t : texts) {
        if (!t) continue;
        for (const QString& c : platform::UnencodableCharacters(*t))
            if (!all.contains(c)) all << c;
    }
    return all;
}

bool Unattended() {
    return dynamic_cast<platform::UnattendedMessages*>(&platform::Messages()) != nullptr;
}

// True: store without them.
bool AskToDrop(const QStringList& characters) {
    if (Unattended()) {
        // A termination waits for nobody; all but these characters reach the file.
        platform::MessageDlg(UnencodableDroppedNote(characters), platform::MsgKind::Warning,
                             {platform::kBtnOk});
        return true;
    }
    // No is the default: a hurried Enter keeps every character typed.
    return platform::MessageDlg(UnencodableQuestion(characters), platform::MsgKind::Warning,
                                {platform::kBtnYes, platform::kBtnNo},
                                platform::kBtnNo) == platform::kBtnYes;
}

void RemoveUnencodable(QTextDocument* document) {
    // Positions of the plain text are the document's: one per character, one per line break.
    const QString text = document->toPlainText();
    const QStringList characters = platform::UnencodableCharacters(text);
    if (characters.isEmpty()) return;
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    // From the end, so that the positions still to come stay where they were.
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        qsizetype start = i;
        if (text.at(i).isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate()) --start;
        if (characters.contains(text.mid(start, i - start + 1))) {
            cursor.setPosition(static_cast<int>(start));
            cursor.setPosition(static_cast<int>(i + 1), QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
        i = start;
    }
    cursor.endEditBlock();
}

}  // namespace

QString UnencodableQuestion(const QStringList& characters) {
    return QStringLiteral("次の文字はシフトJISにないため、保存できません。\r\n\r\n") +
           NameList(characters) +
           QStringLiteral(
               "\r\n\r\nこれらの文字を除いて保存しますか？\r\n"
               "「いいえ」を選ぶと、入力したままの文章に戻ります。");
}

QString UnencodableDroppedNote(const QStringList& characters) {
    return QStringLiteral("次の文字はシフトJISにないため、除いて保存しました。\r\n\r\n") +
           NameList(characters);
}

bool ConfirmEncodable(const std::vector<QString*>& texts) {
    const QStringList characters = CharactersOf(texts);
    if (characters.isEmpty()) return true;
    if (!AskToDrop(characters)) return false;
    for (QString* t : texts)
        if (t) *t = platform::WithoutUnencodable(*t);
    return true;
}

bool ConfirmEncodable(QString& text) { return ConfirmEncodable(std::vector<QString*>{&text}); }

bool ConfirmDocuments(const std::vector<QTextDocument*>& documents, int* refusedAt) {
    std::vector<QString> texts;
    texts.reserve(documents.size());
    for (QTextDocument* d : documents) texts.push_back(d ? d->toPlainText() : QString());
    std::vector<QString*> pointers;
    for (QString& t : texts) pointers.push_back(&t);
    const QStringList characters = CharactersOf(pointers);
    if (characters.isEmpty()) return true;
    if (!AskToDrop(characters)) {
        if (refusedAt) {
            const auto holds = [](const QString& t) {
                return !platform::UnencodableCharacters(t).isEmpty();
            };
            *refusedAt =
                static_cast<int>(std::find_if(texts.begin(), texts.end(), holds) - texts.begin());
        }
        return false;
    }
    for (QTextDocument* d : documents)
        if (d) RemoveUnencodable(d);
    return true;
}

bool ConfirmLineEdits(const std::vector<QLineEdit*>& boxes) {
    std::vector<QString> texts;
    for (QLineEdit* b : boxes) texts.push_back(b ? b->text() : QString());
    const std::vector<QString> typed = texts;
    std::vector<QString*> pointers;
    for (QString& t : texts) pointers.push_back(&t);
    if (!ConfirmEncodable(pointers)) {
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i] && !platform::UnencodableCharacters(typed[i]).isEmpty()) {
                boxes[i]->setFocus(Qt::OtherFocusReason);
                break;
            }
        }
        return false;
    }
    for (size_t i = 0; i < boxes.size(); ++i)
        if (boxes[i] && texts[i] != typed[i]) boxes[i]->setText(texts[i]);
    return true;
}

std::string StoredText(const QString& shown, const std::string& original) {
    if (shown == platform::FromCp932(original)) return original;
    return platform::ToCp932(shown);
}

}  // namespace foundation
