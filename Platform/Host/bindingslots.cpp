#include "bindingslots.h"

#include "hosterror.h"
#include "pdflibrarybinding.h"

#include <cstring>

namespace BindingSlots {

void** of(OmbrelPDFLibraryCPDylibCPP1311& library)
{
    return reinterpret_cast<void**>(reinterpret_cast<char*>(&library) + PDFLibraryBindingLayout::Slots);
}

int named(const char* name)
{
    for (int slot = 0; slot < OmbrelPDFLibraryCPDylibCPP1311::EntryPointCount; ++slot)
        if (std::strcmp(OmbrelPDFLibraryCPDylibCPP1311::EntryPointNames[slot], name) == 0)
            return slot;
    throw HostError(QStringLiteral("The PDF library binding has no %1.").arg(QLatin1String(name)));
}

} // namespace BindingSlots
