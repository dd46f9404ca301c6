// The filter record is packed to 4 bytes, so on 64-bit targets some of its pointer fields sit off their
// natural alignment. Test macros bind their arguments to references, which must not point at such a field:
// valueOf() hands them a copy instead.
#pragma once

namespace vendrel::test {

template <typename Field> Field valueOf(Field field)
{
    return field;
}

} // namespace vendrel::test
