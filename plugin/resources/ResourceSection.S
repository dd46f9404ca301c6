/* Places the resource directory written by the resource generator in the module's resource section,
   where the host reads it from the file without running the module. */
    .section .pi_resources, "a"
    .balign 4
    .incbin "vendrel_resources.bin"
    .section .note.GNU-stack, "", @progbits
