using System;
using System.Runtime.InteropServices;

namespace Velmora.Calculations.Dynamic
{
    // The native parser. Released once, by Dispose or, for a parser the host
    // dropped without disposing, by the runtime's critical finalizer.
    internal sealed class ParserHandle : SafeHandle
    {
        private ParserHandle() : base(IntPtr.Zero, true)
        {
        }

        public override bool IsInvalid
        {
            get { return handle == IntPtr.Zero; }
        }

        protected override bool ReleaseHandle()
        {
            NativeMethods.rivo_parser_release(handle);
            return true;
        }
    }
}
