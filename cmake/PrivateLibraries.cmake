# The project's own shared libraries, which libkxLedgerWiz.so and ledgerwiz share
# (one copy of the control in a process), are no public interface: they are
# installed into a private folder beside the public library, found through run
# paths relative to each file ($ORIGIN), so that the installed tree works under
# any prefix.
set(KX_PRIVATE_LIBRARIES
    kx_platform kx_ado_values kx_ado kx_pg_text kx_pg kx_tsql
    kx_catalogue kx_database kx_support kx_newbook kx_wizard)
set(KX_PRIVATE_LIBDIR ${CMAKE_INSTALL_LIBDIR}/kxLedgerWiz)

set_target_properties(${KX_PRIVATE_LIBRARIES} PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS ${KX_PRIVATE_LIBRARIES} LIBRARY DESTINATION ${KX_PRIVATE_LIBDIR})

set_target_properties(kxLedgerWiz PROPERTIES INSTALL_RPATH "$ORIGIN/kxLedgerWiz")
file(RELATIVE_PATH bin_to_private /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${KX_PRIVATE_LIBDIR})
set_target_properties(ledgerwiz PROPERTIES INSTALL_RPATH "$ORIGIN/${bin_to_private}")
