#pragma once
// Reference lists that outlive an input-data file: the names of another
// medium and the standard series of nominal diameters.
namespace velmar {

struct Session;

// Replaces the items of NamePrSred by the stored names of another medium,
// when the list of names exists.
void LoadMediumNames(Session& s);

}  // namespace velmar
