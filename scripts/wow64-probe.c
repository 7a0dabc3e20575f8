/* Tells whether a 64-bit process on this machine may run 32-bit code, which is all that Wine's
 * WoW64 mode needs of the kernel. Two tries, each under a guard that turns a fault into an answer:
 *   - a far return into the 32-bit user code segment (0x23), a few 32-bit instructions, and a far
 *     return to the 64-bit one (0x33);
 *   - the 32-bit system call that Wine makes for its %fs selector (set_thread_area through
 *     int $0x80).
 * Exits 0 when both work; otherwise prints why on standard output and exits 1.
 * Built static and not position-independent, so that its code, stack and data lie below 4 GiB,
 * where 32-bit code can reach them. */
#define _GNU_SOURCE
#include <setjmp.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>

static sigjmp_buf guard;
static volatile sig_atomic_t fault;

static void on_fault(int sig)
{
    fault = sig;
    siglongjmp(guard, 1);
}

/* The 32-bit part runs on this stack: a 64-bit stack lies above 4 GiB. */
unsigned char probe_stack32[4096] __attribute__((aligned(16)));
unsigned long probe_saved_rsp;
unsigned long run_32bit_code(void);
__asm__(
    ".text\n"
    ".globl run_32bit_code\n"
    "run_32bit_code:\n"
    "    push %rbx\n"
    "    mov %rsp, probe_saved_rsp(%rip)\n"
    "    lea probe_stack32+4096(%rip), %rsp\n"
    /* The 32-bit far return's frame: EIP, then CS. */
    "    sub $8, %rsp\n"
    "    movl $1f, (%rsp)\n"
    "    movl $0x33, 4(%rsp)\n"
    "    pushq $0x23\n"
    "    pushq $2f\n"
    "    lretq\n"
    ".code32\n"
    "2:\n"
    "    movl $0x32, %eax\n"
    "    lret\n"
    ".code64\n"
    "1:\n"
    "    mov probe_saved_rsp(%rip), %rsp\n"
    "    pop %rbx\n"
    "    ret\n");

/* struct user_desc of the 32-bit system call interface. */
struct segment_descriptor {
    unsigned int entry_number;
    unsigned int base_addr;
    unsigned int limit;
    unsigned int flags;
};
static struct segment_descriptor fs_descriptor;

static long set_thread_area_32(void)
{
    enum { seg_32bit = 1 << 0, limit_in_pages = 1 << 4, useable = 1 << 6 };
    long result;
    fs_descriptor.entry_number = (unsigned int)-1;
    fs_descriptor.limit = 0xfff;
    fs_descriptor.flags = seg_32bit | limit_in_pages | useable;
    __asm__ volatile("int $0x80" : "=a"(result) : "0"(243L), "b"(&fs_descriptor) : "memory");
    return result;
}

static const char *signal_name(int sig)
{
    return sig == SIGSEGV ? "SIGSEGV" : sig == SIGBUS ? "SIGBUS" : "SIGILL";
}

int main(void)
{
    struct sigaction action;
    memset(&action, 0, sizeof action);
    action.sa_handler = on_fault;
    action.sa_flags = SA_NODEFER;
    sigaction(SIGSEGV, &action, NULL);
    sigaction(SIGBUS, &action, NULL);
    sigaction(SIGILL, &action, NULL);

    char far_call[80] = "";
    if (sigsetjmp(guard, 1) == 0) {
        unsigned long answer = run_32bit_code();
        if (answer != 0x32)
            snprintf(far_call, sizeof far_call, "32-bit code returned %#lx instead of 0x32", answer);
    } else {
        snprintf(far_call, sizeof far_call, "a far jump into the 32-bit code segment raises %s",
                 signal_name(fault));
    }

    char system_call[80] = "";
    if (sigsetjmp(guard, 1) == 0) {
        long result = set_thread_area_32();
        if (result != 0)
            snprintf(system_call, sizeof system_call, "the 32-bit set_thread_area call fails (%ld)", result);
    } else {
        snprintf(system_call, sizeof system_call, "the 32-bit system call (int $0x80) raises %s",
                 signal_name(fault));
    }

    if (!far_call[0] && !system_call[0])
        return 0;
    printf("64-bit processes here cannot run 32-bit code: %s%s%s\n", far_call,
           far_call[0] && system_call[0] ? ", and " : "", system_call);
    return 1;
}
