#pragma once

class OmbrelPDFLibraryCPDylibCPP1311;

// The entry-point slots of a binding, whose layout the host and the plug-in
// share: the host may stand between the plug-in and the library for a run.
namespace BindingSlots {

void** of(OmbrelPDFLibraryCPDylibCPP1311& library);
// The slot of an entry point by its exported name; throws a HostError.
int named(const char* name);

} // namespace BindingSlots
