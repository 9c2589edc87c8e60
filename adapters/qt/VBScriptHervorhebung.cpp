#include "adapters/qt/VBScriptHervorhebung.h"

namespace vks {
namespace {

const QRegularExpression& Schluesselwoerter() {
  static const QRegularExpression re(
      QStringLiteral(
          "\\b(?:And|As|ByRef|ByVal|Call|Case|Class|Const|Dim|Do|Each|Else|ElseIf|Empty|End|"
          "Eqv|Erase|Error|Exit|Explicit|False|For|Function|Get|GoTo|If|Imp|In|Is|Let|Loop|Me|"
          "Mod|New|Next|Not|Nothing|Null|On|Option|Or|Private|Property|Public|ReDim|Rem|Resume|"
          "Select|Set|Step|Sub|Then|To|True|Until|Wend|While|With|Xor)\\b"),
      QRegularExpression::CaseInsensitiveOption);
  return re;
}

const QRegularExpression& Globale() {
  static const QRegularExpression re(
      QString::fromUtf8("(?<![\\w.])(?:Kennzahl|Ergebnis|StreicheEnterOrders|KontoName|"
                        "OrderAktion|NoValue|Tradomir|KontoGlobalData|LöscheErgebnis|"
                        "GetErgebnis|LogbuchMeldung)(?!\\w)"),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
  return re;
}

const QRegularExpression& Zahlen() {
  static const QRegularExpression re(
      QStringLiteral("\\b(?:&H[0-9A-Fa-f]+&?|\\d+(?:\\.\\d*)?(?:[eE][+-]?\\d+)?)\\b"));
  return re;
}

// Strings and the comment that starts outside a string: one left-to-right pass, as quotes hide
// apostrophes and an apostrophe hides quotes.
template <class Setze>
void TexteUndKommentar(const QString& zeile, Setze setze) {
  for (qsizetype i = 0; i < zeile.size(); ++i) {
    const QChar c = zeile[i];
    if (c == u'"') {
      qsizetype ende = i + 1;
      while (ende < zeile.size()) {
        if (zeile[ende] == u'"') {
          if (ende + 1 < zeile.size() && zeile[ende + 1] == u'"') {
            ende += 2;
            continue;
          }
          break;
        }
        ++ende;
      }
      const qsizetype laenge = std::min(ende + 1, zeile.size()) - i;
      setze(i, laenge, VBScriptHervorhebung::Art::kText);
      i += laenge - 1;
    } else if (c == u'\'' ||
               (zeile.mid(i, 3).compare(QStringLiteral("rem"), Qt::CaseInsensitive) == 0 &&
                (i + 3 == zeile.size() || zeile[i + 3].isSpace()) &&
                (i == 0 || !zeile[i - 1].isLetterOrNumber()))) {
      setze(i, zeile.size() - i, VBScriptHervorhebung::Art::kKommentar);
      return;
    }
  }
}

template <class Setze>
void Klassifiziere(const QString& zeile, Setze setze) {
  auto regel = [&](const QRegularExpression& re, VBScriptHervorhebung::Art art) {
    for (auto it = re.globalMatch(zeile); it.hasNext();) {
      const auto m = it.next();
      setze(m.capturedStart(), m.capturedLength(), art);
    }
  };
  regel(Zahlen(), VBScriptHervorhebung::Art::kZahl);
  regel(Schluesselwoerter(), VBScriptHervorhebung::Art::kSchluesselwort);
  regel(Globale(), VBScriptHervorhebung::Art::kGlobal);
  // Last, so that inside strings and comments nothing else shows.
  TexteUndKommentar(zeile, setze);
}

}  // namespace

VBScriptHervorhebung::VBScriptHervorhebung(QTextDocument* dokument) : QSyntaxHighlighter(dokument) {
  formate_[static_cast<int>(Art::kSchluesselwort)].setForeground(QColor(0, 0, 160));
  formate_[static_cast<int>(Art::kSchluesselwort)].setFontWeight(QFont::Bold);
  formate_[static_cast<int>(Art::kGlobal)].setForeground(QColor(128, 0, 128));
  formate_[static_cast<int>(Art::kText)].setForeground(QColor(160, 0, 0));
  formate_[static_cast<int>(Art::kZahl)].setForeground(QColor(0, 110, 110));
  formate_[static_cast<int>(Art::kKommentar)].setForeground(QColor(0, 128, 0));
  formate_[static_cast<int>(Art::kKommentar)].setFontItalic(true);
}

void VBScriptHervorhebung::highlightBlock(const QString& text) {
  Klassifiziere(text, [&](qsizetype start, qsizetype laenge, Art art) {
    setFormat(static_cast<int>(start), static_cast<int>(laenge), formate_[static_cast<int>(art)]);
  });
}

std::vector<VBScriptHervorhebung::Art> VBScriptHervorhebung::Arten(const QString& zeile) {
  std::vector<Art> arten(static_cast<size_t>(zeile.size()), Art::kKeine);
  Klassifiziere(zeile, [&](qsizetype start, qsizetype laenge, Art art) {
    for (qsizetype i = start; i < start + laenge; ++i) arten[static_cast<size_t>(i)] = art;
  });
  return arten;
}

}  // namespace vks
