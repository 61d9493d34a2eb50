#!/usr/bin/python3
"""Fails when tarvolo.exe imports a function that the oldest Windows it is
said to run on (README.md: Windows Vista, 64-bit or 32-bit) does not have,
or a DLL that Windows Vista does not ship.

  check_imports.py [OBJDUMP] EXE

Functions that are newer than Vista are called, where the program wants
them at all, through GetProcAddress, so they never show up here. The list
below names functions that compilers, runtimes and our own code are likely
to pull in, each with the Windows that brought it; an import not on it is
taken to be older (every function imported today was checked by hand).
"""
import subprocess
import sys

OLDEST = "Windows Vista"

# DLLs that every Vista has (compared in lower case).
VISTA_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll", "comctl32.dll",
    "psapi.dll", "msvcrt.dll", "ole32.dll", "oleaut32.dll", "shlwapi.dll", "uxtheme.dll",
    "comdlg32.dll", "version.dll", "winmm.dll", "ws2_32.dll", "imm32.dll", "dwmapi.dll",
}

# Function -> the first Windows that has it.
NEWER_THAN_VISTA = {
    # kernel32
    "GetSystemTimePreciseAsFileTime": "Windows 8", "GetCurrentThreadStackLimits": "Windows 8",
    "CreateFile2": "Windows 8", "CopyFile2": "Windows 8", "SetThreadDescription": "Windows 10 1607",
    "GetThreadDescription": "Windows 10 1607", "WaitOnAddress": "Windows 8",
    "WakeByAddressSingle": "Windows 8", "WakeByAddressAll": "Windows 8",
    "TryAcquireSRWLockExclusive": "Windows 7", "TryAcquireSRWLockShared": "Windows 7",
    "SetDefaultDllDirectories": "Windows 8", "AddDllDirectory": "Windows 8",
    "RemoveDllDirectory": "Windows 8", "GetActiveProcessorCount": "Windows 7",
    "GetLogicalProcessorInformationEx": "Windows 7", "QueryUnbiasedInterruptTime": "Windows 7",
    "CreateRemoteThreadEx": "Windows 7", "PowerCreateRequest": "Windows 7",
    "PowerSetRequest": "Windows 7", "PowerClearRequest": "Windows 7",
    "GetProcessMitigationPolicy": "Windows 8", "SetProcessMitigationPolicy": "Windows 8",
    "PrefetchVirtualMemory": "Windows 8", "DiscardVirtualMemory": "Windows 8.1",
    "GetCurrentPackageFullName": "Windows 8", "GetCurrentPackageId": "Windows 8",
    "InitializeSynchronizationBarrier": "Windows 8", "EnterSynchronizationBarrier": "Windows 8",
    "GetFirmwareType": "Windows 8", "SetThreadGroupAffinity": "Windows 7",
    "GetThreadGroupAffinity": "Windows 7", "InitializeContext": "Windows 7 SP1",
    "LocateXStateFeature": "Windows 7 SP1", "GetEnabledXStateFeatures": "Windows 7 SP1",
    "SetXStateFeaturesMask": "Windows 7 SP1", "ResolveLocaleName": "Windows 7",
    # kernel32's copies of psapi (what PSAPI_VERSION 2 links to)
    "K32EnumProcesses": "Windows 7", "K32EnumProcessModules": "Windows 7",
    "K32GetModuleFileNameExW": "Windows 7", "K32GetModuleFileNameExA": "Windows 7",
    "K32GetModuleBaseNameW": "Windows 7", "K32GetProcessImageFileNameW": "Windows 7",
    # user32
    "GetDpiForWindow": "Windows 10 1607", "GetDpiForSystem": "Windows 10 1607",
    "SetProcessDpiAwarenessContext": "Windows 10 1703", "SetThreadDpiAwarenessContext": "Windows 10 1607",
    "GetThreadDpiAwarenessContext": "Windows 10 1607", "AdjustWindowRectExForDpi": "Windows 10 1607",
    "GetSystemMetricsForDpi": "Windows 10 1607", "SystemParametersInfoForDpi": "Windows 10 1607",
    "EnableNonClientDpiScaling": "Windows 10 1607", "AreDpiAwarenessContextsEqual": "Windows 10 1607",
    "LogicalToPhysicalPointForPerMonitorDPI": "Windows 8.1",
    "PhysicalToLogicalPointForPerMonitorDPI": "Windows 8.1",
    "ChangeWindowMessageFilterEx": "Windows 7", "RegisterTouchWindow": "Windows 7",
    "UnregisterTouchWindow": "Windows 7", "GetTouchInputInfo": "Windows 7",
    "CloseTouchInputHandle": "Windows 7", "GetGestureInfo": "Windows 7", "SetGestureConfig": "Windows 7",
    "SetWindowDisplayAffinity": "Windows 7", "GetWindowDisplayAffinity": "Windows 7",
    "CalculatePopupWindowPosition": "Windows 7", "GetPointerInfo": "Windows 8",
    "GetPointerType": "Windows 8", "EnableMouseInPointer": "Windows 8",
    "RegisterSuspendResumeNotification": "Windows 8", "GetDisplayConfigBufferSizes": "Windows 7",
    "QueryDisplayConfig": "Windows 7", "SetDisplayConfig": "Windows 7",
    "DisplayConfigGetDeviceInfo": "Windows 7",
    # shell32
    "SetCurrentProcessExplicitAppUserModelID": "Windows 7", "Shell_NotifyIconGetRect": "Windows 7",
    "SHGetPropertyStoreForWindow": "Windows 7",
    # advapi32
    "EventWriteEx": "Windows 7", "EventSetInformation": "Windows 8", "RegLoadAppKeyW": "Windows 7",
}


def imports(objdump, exe):
    out = subprocess.run([objdump, "-p", exe], check=True, capture_output=True, text=True).stdout
    dll = None
    for line in out.splitlines():
        if "DLL Name:" in line:
            dll = line.split("DLL Name:", 1)[1].strip()
        elif dll and line.startswith("\t") and not line.startswith("\tvma:"):
            fields = line.split()
            # vma, hint (or ordinal), name
            if len(fields) >= 3:
                yield dll, fields[2]
            elif len(fields) == 2:
                yield dll, "#" + fields[1]
        elif line.strip() and not line.startswith("\t"):
            dll = None


def main():
    objdump, exe = (sys.argv[1], sys.argv[2]) if len(sys.argv) > 2 else ("x86_64-w64-mingw32-objdump", sys.argv[1])
    found = list(imports(objdump, exe))
    if not found:
        sys.exit(f"check_imports: no imports read from {exe}")
    faults = []
    for dll, name in found:
        if dll.lower() not in VISTA_DLLS:
            faults.append(f"{dll}!{name}: {OLDEST} does not ship {dll}")
        elif name in NEWER_THAN_VISTA:
            faults.append(f"{dll}!{name}: first in {NEWER_THAN_VISTA[name]}, not in {OLDEST}")
    for f in faults:
        print("check_imports:", f)
    if faults:
        sys.exit(1)
    dlls = sorted({d for d, _ in found})
    print(f"check_imports: {exe}: {len(found)} functions from {', '.join(dlls)}, all in {OLDEST}")


main()
