/* Scripting descriptors: the keyed, typed values in which the host records and plays back settings. */
#ifndef VENDREL_SDK_PIACTIONS_H
#define VENDREL_SDK_PIACTIONS_H

#include "PITypes.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct PIOpaqueDescriptor* PIDescriptorHandle;
typedef struct PIOpaqueReadDescriptor* PIReadDescriptor;
typedef struct PIOpaqueWriteDescriptor* PIWriteDescriptor;
typedef DescriptorKeyID DescriptorKeyIDArray[];

/* Value types of a descriptor entry. */
#define typeInteger PI_FOURCC('l', 'o', 'n', 'g')
#define typeFloat PI_FOURCC('d', 'o', 'u', 'b')
#define typeUintFloat PI_FOURCC('U', 'n', 't', 'F')
#define typeBoolean PI_FOURCC('b', 'o', 'o', 'l')
#define typeChar PI_FOURCC('T', 'E', 'X', 'T')
#define typeAlias PI_FOURCC('a', 'l', 'i', 's')
#define typeEnumerated PI_FOURCC('e', 'n', 'u', 'm')
#define typeType PI_FOURCC('t', 'y', 'p', 'e')
#define typeGlobalClass PI_FOURCC('G', 'l', 'b', 'C')
#define typeObject PI_FOURCC('O', 'b', 'j', 'c')
#define typeGlobalObject PI_FOURCC('G', 'l', 'b', 'O')
#define typeObjectSpecifier PI_FOURCC('o', 'b', 'j', ' ')
#define typeCount PI_FOURCC('l', 'o', 'n', 'g')
#define typePString PI_FOURCC('p', 's', 't', 'r')
#define typePath PI_FOURCC('P', 't', 'h', ' ')
#define typeNull PI_FOURCC('n', 'u', 'l', 'l')
#define typeColor PI_FOURCC('C', 'l', 'r', ' ') /* a colour parameter of a terminology resource */

/* The class of colour objects: red, green and blue components. */
#define classRGBColor PI_FOURCC('R', 'G', 'B', 'C')

/* Results of the descriptor read procedures besides noErr, with their published names. */
enum {
    errAEDescNotFound = -1701, /* no current key: get-key was not called, or gave no more keys */
    errAEWrongDataType = -1703 /* the current key's value cannot be given as the type asked for */
};

/* Values of playInfo and recordInfo. */
enum { plugInDialogDontDisplay = 0, plugInDialogDisplay = 1, plugInDialogSilent = 2 };
enum { plugInDialogOptional = 0, plugInDialogRequired = 1, plugInDialogNone = 2 };

typedef struct PIDescriptorSimpleReference {
    DescType desiredClass;
    DescType keyForm;
    struct {
        Str255 name;
        int32 index;
        DescType type;
        DescType value;
    } keyData;
} PIDescriptorSimpleReference;

#define kCurrentReadDescriptorProcsVersion 0
#define kCurrentReadDescriptorProcsCount 18

typedef struct ReadDescriptorProcs {
    int16 readDescriptorProcsVersion;
    int16 numReadDescriptorProcs;
    PIReadDescriptor (*openReadDescriptorProc)(PIDescriptorHandle descriptor, DescriptorKeyIDArray keys);
    OSErr (*closeReadDescriptorProc)(PIReadDescriptor reader);
    Boolean (*getKeyProc)(PIReadDescriptor reader, DescriptorKeyID* key, DescType* type, int32* flags);
    OSErr (*getIntegerProc)(PIReadDescriptor reader, int32* value);
    OSErr (*getFloatProc)(PIReadDescriptor reader, double* value);
    OSErr (*getUnitFloatProc)(PIReadDescriptor reader, DescType* unit, double* value);
    OSErr (*getBooleanProc)(PIReadDescriptor reader, Boolean* value);
    OSErr (*getTextProc)(PIReadDescriptor reader, Handle* value);
    OSErr (*getAliasProc)(PIReadDescriptor reader, Handle* value);
    OSErr (*getEnumeratedProc)(PIReadDescriptor reader, DescType* value);
    OSErr (*getClassProc)(PIReadDescriptor reader, DescType* value);
    OSErr (*getSimpleReferenceProc)(PIReadDescriptor reader, PIDescriptorSimpleReference* value);
    OSErr (*getObjectProc)(PIReadDescriptor reader, DescType* classType, PIDescriptorHandle* value);
    OSErr (*getCountProc)(PIReadDescriptor reader, uint32* value);
    OSErr (*getStringProc)(PIReadDescriptor reader, Str255* value);
    OSErr (*getPinnedIntegerProc)(PIReadDescriptor reader, int32 min, int32 max, int32* value);
    OSErr (*getPinnedFloatProc)(PIReadDescriptor reader, const double* min, const double* max, double* value);
    OSErr (*getPinnedUnitFloatProc)(PIReadDescriptor reader, const double* min, const double* max, DescType* unit,
                                    double* value);
} ReadDescriptorProcs;

#define kCurrentWriteDescriptorProcsVersion 0
#define kCurrentWriteDescriptorProcsCount 16

typedef struct WriteDescriptorProcs {
    int16 writeDescriptorProcsVersion;
    int16 numWriteDescriptorProcs;
    PIWriteDescriptor (*openWriteDescriptorProc)(void);
    OSErr (*closeWriteDescriptorProc)(PIWriteDescriptor writer, PIDescriptorHandle* descriptor);
    OSErr (*putIntegerProc)(PIWriteDescriptor writer, DescriptorKeyID key, int32 value);
    OSErr (*putFloatProc)(PIWriteDescriptor writer, DescriptorKeyID key, const double* value);
    OSErr (*putUnitFloatProc)(PIWriteDescriptor writer, DescriptorKeyID key, DescType unit, const double* value);
    OSErr (*putBooleanProc)(PIWriteDescriptor writer, DescriptorKeyID key, Boolean value);
    OSErr (*putTextProc)(PIWriteDescriptor writer, DescriptorKeyID key, Handle text);
    OSErr (*putAliasProc)(PIWriteDescriptor writer, DescriptorKeyID key, Handle alias);
    OSErr (*putEnumeratedProc)(PIWriteDescriptor writer, DescriptorKeyID key, DescType type, DescType value);
    OSErr (*putClassProc)(PIWriteDescriptor writer, DescriptorKeyID key, DescType value);
    OSErr (*putSimpleReferenceProc)(PIWriteDescriptor writer, DescriptorKeyID key,
                                    const PIDescriptorSimpleReference* value);
    OSErr (*putObjectProc)(PIWriteDescriptor writer, DescriptorKeyID key, DescType classType, PIDescriptorHandle value);
    OSErr (*putCountProc)(PIWriteDescriptor writer, DescriptorKeyID key, uint32 value);
    OSErr (*putStringProc)(PIWriteDescriptor writer, DescriptorKeyID key, ConstStr255Param value);
    OSErr (*putScopedClassProc)(PIWriteDescriptor writer, DescriptorKeyID key, DescType value);
    OSErr (*putScopedObjectProc)(PIWriteDescriptor writer, DescriptorKeyID key, DescType classType,
                                 PIDescriptorHandle value);
} WriteDescriptorProcs;

#define kCurrentDescriptorParametersVersion 0

typedef struct PIDescriptorParameters {
    int16 descriptorParametersVersion;
    int16 playInfo;   /* plugInDialogDontDisplay, plugInDialogDisplay, plugInDialogSilent */
    int16 recordInfo; /* plugInDialogOptional, plugInDialogRequired, plugInDialogNone */
    PIDescriptorHandle descriptor;
    WriteDescriptorProcs* writeDescriptorProcs;
    ReadDescriptorProcs* readDescriptorProcs;
} PIDescriptorParameters;

#ifdef __cplusplus
}
#endif

#endif
