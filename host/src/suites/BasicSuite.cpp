#include "BasicSuite.h"

#include <cstdlib>
#include <cstring>

#include "NoThrow.h"

namespace vendrel {

namespace {

const SuiteRegistry* gActiveRegistry = nullptr;

SPErr acquireSuite(const char* name, int32 version, const void** suite)
{
    if (!name || !suite || !gActiveRegistry)
        return kSPSuiteNotFoundError;
    const void* found = gActiveRegistry->find(name, version);
    if (!found)
        return kSPSuiteNotFoundError;
    *suite = found;
    return kSPNoError;
}

// Suites live as long as the host; releasing them has nothing to do.
SPErr releaseSuite(const char* name, int32 version)
{
    (void)version;
    return name ? kSPNoError : kSPSuiteNotFoundError;
}

Boolean isEqual(const char* token1, const char* token2)
{
    if (!token1 || !token2)
        return token1 == token2;
    return std::strcmp(token1, token2) == 0;
}

SPErr allocateBlock(size_t size, void** block)
{
    if (!block)
        return paramErr;
    *block = std::malloc(size ? size : 1);
    return *block ? kSPNoError : memFullErr;
}

SPErr freeBlock(void* block)
{
    std::free(block);
    return kSPNoError;
}

SPErr reallocateBlock(void* block, size_t newSize, void** newBlock)
{
    if (!newBlock)
        return paramErr;
    void* moved = std::realloc(block, newSize ? newSize : 1);
    if (!moved)
        return memFullErr;
    *newBlock = moved;
    return kSPNoError;
}

SPErr undefinedProc()
{
    return errPlugInHostInsufficient;
}

SPBasicSuite gBasicSuite = {noThrowError<acquireSuite>,  noThrowError<releaseSuite>, noThrow<isEqual>,
                            noThrowError<allocateBlock>, noThrowError<freeBlock>,    noThrowError<reallocateBlock>,
                            noThrowError<undefinedProc>};

} // namespace

SPBasicSuite* hostBasicSuite()
{
    return &gBasicSuite;
}

void setActiveSuiteRegistry(const SuiteRegistry* registry)
{
    gActiveRegistry = registry;
}

const SuiteRegistry* activeSuiteRegistry()
{
    return gActiveRegistry;
}

} // namespace vendrel
