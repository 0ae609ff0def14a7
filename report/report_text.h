// A text of a report template with its placeholders: {name} stands for the
// value of the field of that name, {page}, {pages} and {date} for the page
// number, the page count and today's date; {{ and }} write single braces.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The values a text is expanded with: one record's field values by field
// index (missing entries are empty), and where the text stands.
struct Report_Text_Values {
  const std::vector<QString>* record = nullptr;
  int page = 1;
  int pages = 1;
  QString date;
};

class Report_Text {
 public:
  struct Part {
    enum class Kind { literal, field, page, pages, date };
    Kind kind = Kind::literal;
    QString literal;  // the text of a literal part
    int field = -1;   // the index in the template's field names of a field part
  };

  // Parses text. A field's name is looked up in field_names and appended when
  // it is new, so that its index there is the field's index. False, with the
  // reason in error, for an unbalanced brace or an empty placeholder.
  static bool parse(const QString& text, QStringList& field_names, Report_Text& out, QString& error);

  QString expand(const Report_Text_Values& values) const;
  bool uses(Part::Kind kind) const;

 private:
  std::vector<Part> parts;
};
