#include "DescriptorInterface.h"

namespace {

bool ReadProcsUsable(const ReadDescriptorProcs* procs)
{
    if (!procs || procs->readDescriptorProcsVersion != kCurrentReadDescriptorProcsVersion ||
        procs->numReadDescriptorProcs < kCurrentReadDescriptorProcsCount)
        return false;
    return procs->openReadDescriptorProc && procs->closeReadDescriptorProc && procs->getKeyProc &&
           procs->getIntegerProc && procs->getFloatProc && procs->getUnitFloatProc && procs->getBooleanProc &&
           procs->getTextProc && procs->getAliasProc && procs->getEnumeratedProc && procs->getClassProc &&
           procs->getSimpleReferenceProc && procs->getObjectProc && procs->getCountProc && procs->getStringProc &&
           procs->getPinnedIntegerProc && procs->getPinnedFloatProc && procs->getPinnedUnitFloatProc;
}

bool WriteProcsUsable(const WriteDescriptorProcs* procs)
{
    return procs && procs->writeDescriptorProcsVersion == kCurrentWriteDescriptorProcsVersion &&
           procs->numWriteDescriptorProcs >= kCurrentWriteDescriptorProcsCount;
}

} // namespace

PIDescriptorParameters* AvailableDescriptorParameters(const FilterRecord* record)
{
    if (!record)
        return nullptr;
    PIDescriptorParameters* parameters = record->descriptorParameters;
    if (!parameters || parameters->descriptorParametersVersion != kCurrentDescriptorParametersVersion)
        return nullptr;
    if (!ReadProcsUsable(parameters->readDescriptorProcs) || !WriteProcsUsable(parameters->writeDescriptorProcs))
        return nullptr;
    return parameters;
}
