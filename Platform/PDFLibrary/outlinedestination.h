#pragma once

#include "pdfdocument.h"

#include <vector>

// Destinations of outline items: SetOutlineDestinationFull's types and
// coordinates, and the page an item's destination or GoTo action points at.
enum class DestinationType { XYZ = 1, Fit = 2, FitH = 3, FitV = 4, FitR = 5, FitB = 6 };

// A new destination array on the 1-based page; null for an unknown page or
// type. Zoom in percent, 0 keeps the reader's. The caller owns the result.
// Throws EngineError.
pdf_obj* NewDestination(const PdfDocument& document, int page, int type, int zoom, const double c[4]);

// The 1-based page an outline item points at, 0 when none of ours.
int DestinationPage(const PdfDocument& document, pdf_obj* item);

// An outline item's destination: its kind as SetOutlineDestinationFull's type
// (0 for none, or a kind it does not write) and the numbers after the kind in
// the array's order, a null read as 0.
struct DestinationView
{
    int type = 0;
    std::vector<double> values;
};
DestinationView ReadDestination(const PdfDocument& document, pdf_obj* item);
