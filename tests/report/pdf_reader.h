// Reads back the PDF files the reports write, through the poppler tools:
// the text of a page, the number of pages, a page's size, the QR codes.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace pdf_reader {

// The standard output of a poppler tool; the test fails when the tool cannot
// be run or ends with an error.
std::string run_tool(const std::string& program, const std::vector<std::string>& arguments);

// In which order the text of a page comes out: as it was drawn (a table row
// is one line), or in pdftotext's reading order.
enum class Order { Drawn, Reading };

// The text of one page (from 1), or of the whole file for page 0.
std::string text(const std::filesystem::path& pdf, int page = 0, Order order = Order::Drawn);

// The same text with every blank and line break removed: pdftotext spaces
// CJK text by its layout, so the tests compare texts without blanks.
std::string blank_free_text(const std::filesystem::path& pdf, int page = 0, Order order = Order::Drawn);

// The number of pages, or -1 when pdfinfo does not give it.
int page_count(const std::filesystem::path& pdf);

// The size line of one page, as "595.28 x 841.89"; empty when not given.
std::string page_size(const std::filesystem::path& pdf, int page);

// The texts of the QR codes on one page (from 1), sorted, as zbarimg reads
// them from the page rendered as PNG beside the PDF; empty when it has none.
std::vector<std::string> qr_codes(const std::filesystem::path& pdf, int page = 1);

}  // namespace pdf_reader
