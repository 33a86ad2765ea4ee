#include "tests/support/syscallstop.h"

#include <cstddef>
#include <cstring>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace {

// For each call: its number, then the test on its argument, then `action`; every other call is allowed.
std::vector<sock_filter> filterFor(const QList<SystemCall> &calls, unsigned action)
{
    std::vector<sock_filter> filter;
    for (const SystemCall &call : calls) {
        filter.push_back(BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)));
        filter.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<unsigned>(call.number), 0, 3));
        // The lower half of the argument, where a little-endian machine keeps it.
        const auto argument = static_cast<unsigned>(offsetof(seccomp_data, args) + sizeof(__u64) * call.argument);
        filter.push_back(BPF_STMT(BPF_LD | BPF_W | BPF_ABS, argument));
        filter.push_back(BPF_JUMP(BPF_JMP | (call.flagTest ? BPF_JSET : BPF_JGT) | BPF_K, call.value, 0, 1));
        filter.push_back(BPF_STMT(BPF_RET | BPF_K, action));
    }
    filter.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
    return filter;
}

// Gives the listener's descriptor for SECCOMP_RET_USER_NOTIF, 0 for other actions, -1 on failure.
int installFilter(const QList<SystemCall> &calls, unsigned action, unsigned flags)
{
    std::vector<sock_filter> filter = filterFor(calls, action);
    const sock_fprog program{static_cast<unsigned short>(filter.size()), filter.data()};
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0)
        return -1;
    return static_cast<int>(::syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, flags, &program));
}

// One byte carrying one descriptor over a local socket, as the child hands its listener over.
struct Handover {
    Handover()
    {
        message.msg_iov = &data;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
    }
    Handover(const Handover &) = delete;
    Handover &operator=(const Handover &) = delete;

    char byte = 0;
    iovec data{&byte, 1};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
    msghdr message{};
};

} // namespace

SystemCall SystemCall::onOwnFile(int number)
{
    return {number, 0, false, 2};
}

SystemCall SystemCall::withFlags(int number, int argument, unsigned flags)
{
    return {number, argument, true, flags};
}

bool killOnEntering(const QList<int> &calls)
{
    QList<SystemCall> onOwnFiles;
    for (const int number : calls)
        onOwnFiles.append(SystemCall::onOwnFile(number));
    return installFilter(onOwnFiles, SECCOMP_RET_KILL_PROCESS, 0) == 0;
}

PauseOnEntering::PauseOnEntering()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, channel) != 0)
        channel[0] = channel[1] = -1;
}

PauseOnEntering::~PauseOnEntering()
{
    for (const int descriptor : {channel[0], channel[1], listener}) {
        if (descriptor >= 0)
            ::close(descriptor);
    }
}

bool PauseOnEntering::install(const SystemCall &call)
{
    ::close(channel[0]);
    channel[0] = -1;
    const int created = installFilter({call}, SECCOMP_RET_USER_NOTIF, SECCOMP_FILTER_FLAG_NEW_LISTENER);
    if (created < 0)
        return false;
    Handover handover;
    cmsghdr *header = CMSG_FIRSTHDR(&handover.message);
    header->cmsg_level = SOL_SOCKET;
    header->cmsg_type = SCM_RIGHTS;
    header->cmsg_len = CMSG_LEN(sizeof created);
    std::memcpy(CMSG_DATA(header), &created, sizeof created);
    const bool sent = ::sendmsg(channel[1], &handover.message, 0) == 1;
    ::close(created);
    return sent;
}

bool PauseOnEntering::awaitPause()
{
    if (listener < 0) {
        ::close(channel[1]);  // so that a child gone without handing over ends the wait
        channel[1] = -1;
        Handover handover;
        const cmsghdr *header = ::recvmsg(channel[0], &handover.message, 0) == 1 ? CMSG_FIRSTHDR(&handover.message) : nullptr;
        if (!header)
            return false;
        std::memcpy(&listener, CMSG_DATA(header), sizeof listener);
    }
    // Readable once the child stands at the call; hung up once no process is left under the filter.
    pollfd waiting{listener, POLLIN, 0};
    if (::poll(&waiting, 1, -1) != 1 || !(waiting.revents & POLLIN))
        return false;
    seccomp_notif notice{};
    if (::ioctl(listener, SECCOMP_IOCTL_NOTIF_RECV, &notice) != 0)
        return false;
    paused = notice.id;
    return true;
}

void PauseOnEntering::goOn()
{
    seccomp_notif_resp answer{};
    answer.id = paused;
    answer.flags = SECCOMP_USER_NOTIF_FLAG_CONTINUE;
    ::ioctl(listener, SECCOMP_IOCTL_NOTIF_SEND, &answer);
}
