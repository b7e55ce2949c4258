using System;
using System.Runtime.InteropServices;

namespace Velmora.Calculations.Dynamic
{
    // A failed call of the native parser as the exception a .NET host
    // expects for a failing HRESULT: COMException with the parser's code in
    // HResult and its message exactly; running out of memory is
    // OutOfMemoryException, whose HResult is E_OUTOFMEMORY already.
    internal static class Errors
    {
        private const int OutOfMemory = unchecked((int)0x8007000E);

        internal static Exception FromHResult(int hr, IntPtr parser)
        {
            string message = parser == IntPtr.Zero
                ? string.Empty
                : Marshal.PtrToStringUni(NativeMethods.rivo_last_error_message_utf16(parser));
            if (hr == OutOfMemory)
            {
                return new OutOfMemoryException(message);
            }
            return new COMException(message, hr);
        }

        // A failed bulk call: the exception also tells which element the
        // parser refused (Data["Index"]); the elements before it were added.
        internal static Exception FromBulk(int hr, IntPtr parser, int index)
        {
            Exception error = FromHResult(hr, parser);
            error.Data["Index"] = index;
            return error;
        }

        internal static void CheckLengths(int length, params Array[] columns)
        {
            foreach (Array column in columns)
            {
                if (column == null)
                {
                    throw new ArgumentNullException("columns", "Every array of a bulk call is needed");
                }
                if (column.Length != length)
                {
                    throw new ArgumentException("The arrays of a bulk call must be equally long");
                }
            }
        }
    }
}
