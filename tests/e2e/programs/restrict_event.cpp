// Gives a named event the access that an event of a program running as
// administrator leaves to a program that does not: it may wait on the
// event and signal it, but not open it for all access, which is what
// creating an event of that name asks for.
//
//   restrict_event.exe <event name>
//
// Ends with 0 once the event's access is changed, 1 when it could not be.
// clang-format off
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
// clang-format on

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 1;
  HANDLE event = OpenEventW(WRITE_DAC, FALSE, argv[1]);
  if (!event) return 1;
  // Everyone: SYNCHRONIZE and EVENT_MODIFY_STATE, nothing more.
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  BOOL present = FALSE;
  BOOL defaulted = FALSE;
  PACL dacl = nullptr;
  const bool changed = ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(A;;0x00100002;;;WD)", SDDL_REVISION_1,
                                                                            &descriptor, nullptr) &&
                       GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted) &&
                       SetSecurityInfo(event, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, dacl,
                                       nullptr) == ERROR_SUCCESS;
  LocalFree(descriptor);
  CloseHandle(event);
  return changed ? 0 : 1;
}
