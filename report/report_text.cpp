#include "report/report_text.h"

namespace {

Report_Text::Part literal_part(const QString& text) {
  Report_Text::Part part;
  part.literal = text;
  return part;
}

// False when the name is neither the page, the page count, the date nor a
// field.
bool placeholder_part(const QString& name, const Report_Text::Field_Index& field_index,
                      Report_Text::Part& part) {
  using Kind = Report_Text::Part::Kind;
  if (name == QLatin1String("page")) {
    part.kind = Kind::page;
  } else if (name == QLatin1String("pages")) {
    part.kind = Kind::pages;
  } else if (name == QLatin1String("date")) {
    part.kind = Kind::date;
  } else {
    part.kind = Kind::field;
    part.field = field_index(name);
  }
  return part.kind != Kind::field || part.field >= 0;
}

}  // namespace

bool Report_Text::parse(const QString& text, const Field_Index& field_index, Report_Text& out, QString& error,
                        qsizetype& error_at) {
  Report_Text result;
  QString literal;
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n;) {
    const QChar c = text[i];
    const bool doubled = i + 1 < n && text[i + 1] == c;
    if (c == u'{' && !doubled) {
      const qsizetype close = text.indexOf(u'}', i + 1);
      const qsizetype open = text.indexOf(u'{', i + 1);
      error_at = i;
      if (close < 0 || (open >= 0 && open < close)) {
        error = QStringLiteral("“{”没有配对的“}”（要写花括号本身，请写“{{”）");
        return false;
      }
      const QString name = text.mid(i + 1, close - i - 1);
      if (name.isEmpty()) {
        error = QStringLiteral("占位符“{}”中没有字段名");
        return false;
      }
      Part part;
      if (!placeholder_part(name, field_index, part)) {
        error = QStringLiteral("没有名为“%1”的字段").arg(name);
        return false;
      }
      if (!literal.isEmpty()) result.parts.push_back(literal_part(literal));
      literal.clear();
      result.parts.push_back(std::move(part));
      i = close + 1;
    } else if (c == u'}' && !doubled) {
      error_at = i;
      error = QStringLiteral("“}”没有配对的“{”（要写花括号本身，请写“}}”）");
      return false;
    } else {
      literal += c;
      i += (c == u'{' || c == u'}') ? 2 : 1;
    }
  }
  if (!literal.isEmpty()) result.parts.push_back(literal_part(literal));
  out = std::move(result);
  return true;
}

QString Report_Text::expand(const Report_Text_Values& values) const {
  QString text;
  for (const Part& part : parts) {
    switch (part.kind) {
      case Part::Kind::literal:
        text += part.literal;
        break;
      case Part::Kind::field:
        if (values.record && part.field < static_cast<int>(values.record->size()))
          text += (*values.record)[part.field];
        break;
      case Part::Kind::page:
        text += QString::number(values.page);
        break;
      case Part::Kind::pages:
        text += QString::number(values.pages);
        break;
      case Part::Kind::date:
        text += values.date;
        break;
    }
  }
  return text;
}

bool Report_Text::uses(Part::Kind kind) const {
  for (const Part& part : parts)
    if (part.kind == kind) return true;
  return false;
}

int Report_Text::placeholder_count() const {
  int count = 0;
  for (const Part& part : parts) count += part.kind != Part::Kind::literal;
  return count;
}
