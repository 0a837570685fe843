#pragma once
// Reference lists that outlive an input-data file: the names of another
// medium ("velmar\spnamesred", one name per line, Windows-1251, CR LF), the
// standard series of nominal diameters and the list of pipe materials.
#include <array>
#include <string_view>

#include "core/safe_file.h"

namespace velmar {

struct StorageContext;

// The standard series of nominal internal diameters, mm, rows 1 to 15 of
// `strad`.
inline constexpr std::array<std::string_view, 15> kDefaultDiameters = {
    "50", "75", "100", "150", "200", "250", "300", "350", "400", "450", "500", "550", "600", "650", "700"};

// At start-up: when the first cell of `strad` is empty, clears the 50 cells
// and writes the default series into the first 15.
void FillDefaultDiameters(StorageContext& s);

// Replaces the items of NamePrSred by the stored names of another medium,
// when the list of names exists; otherwise leaves them as they are.
void LoadMediumNames(StorageContext& s);

// Removes trailing blanks from the text of NamePrSred.
void trimMediumName(StorageContext& s);

// After every successful write of an input-data file: trims the name in
// NamePrSred, reads the stored names if they have not been read since the
// start, appends the name unless an item equals it exactly (letter case
// counts) and writes the list back, safely. False when the list could not be
// written (the previous list is unchanged), and when the stored list could
// not be read whole (it is not written over then).
bool RememberMediumName(StorageContext& s, const WriteStep& write = {});

// The pipe materials "velmar\spprm.0" to "velmar\spprm.3": when all four
// exist, NamePrTr lists the names of the first; otherwise the list is empty.
void LoadPipeMaterials(StorageContext& s);

}  // namespace velmar
