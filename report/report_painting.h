// Ending a painter on a printer or a PDF writer after a report failed half-way,
// without letting a second error out of the clean-up.
#pragma once

#include <memory>

class QPainter;

// Ends the painter if it is still painting. Should ending it throw (memory
// running out while the document is finished), the painter is let go
// without being destroyed, since destroying it would end it once more and an
// error thrown from a destructor ends the program; the device it paints on
// must then be let go too. False in that case only.
bool end_painting(std::unique_ptr<QPainter>& painter) noexcept;
