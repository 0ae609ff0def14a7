// Helpers of the report engine tests: template files in a temporary folder
// and PDF files read back with the poppler tools.
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

inline QString write_test_file(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  const QString path = dir.filePath(name);
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
  return path;
}

inline QString run_tool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
  EXPECT_EQ(process.exitCode(), 0) << program.toStdString() << ": "
                                   << process.readAllStandardError().toStdString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of one page (from 1), or of the whole file for page 0, in the
// order it was drawn: a table row is one line.
inline QString pdf_text(const QString& path, int page = 0) {
  QStringList arguments = {"-raw"};
  if (page > 0) arguments << "-f" << QString::number(page) << "-l" << QString::number(page);
  return run_tool("pdftotext", arguments << path << "-");
}

inline int pdf_pages(const QString& path) {
  const auto match = QRegularExpression("Pages:\\s+(\\d+)").match(run_tool("pdfinfo", {path}));
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The size line of one page, as "595.28 x 841.89".
inline QString pdf_page_size(const QString& path, int page) {
  const QString info = run_tool("pdfinfo", {"-f", QString::number(page), "-l", QString::number(page), path});
  const auto match = QRegularExpression("size:\\s+([\\d.]+ x [\\d.]+)").match(info);
  return match.hasMatch() ? match.captured(1) : QString();
}
