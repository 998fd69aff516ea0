// The first process of the test machine, run from its initramfs: loads the modules the
// initramfs carries (in the order of their file names), mounts the host's root file system
// read-only over 9p with fresh /proc, /sys, /dev, /tmp and /run, mounts the writable results
// folder at the path it has on the host, runs the guest script there and powers the machine
// off. Built static: nothing of the host is reachable before the root is mounted.
#define _GNU_SOURCE
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mount.h>
#include <sys/reboot.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

static void say(const char* what, const char* detail) {
    fprintf(stderr, "guest-init: %s %s%s%s\n", what, detail, errno ? ": " : "",
            errno ? strerror(errno) : "");
    errno = 0;
}

static int compareNames(const struct dirent** a, const struct dirent** b) {
    return strcmp((*a)->d_name, (*b)->d_name);
}

static int loadModules(const char* folder) {
    struct dirent** names = NULL;
    const int count = scandir(folder, &names, NULL, compareNames);
    if (count < 0) {
        say("cannot list", folder);
        return -1;
    }
    int failed = 0;
    for (int i = 0; i < count; ++i) {
        char path[512];
        if (names[i]->d_name[0] != '.') {
            snprintf(path, sizeof path, "%s/%s", folder, names[i]->d_name);
            const int fd = open(path, O_RDONLY | O_CLOEXEC);
            if (fd < 0 || syscall(SYS_finit_module, fd, "", 0) != 0) {
                say("cannot load", path);
                failed = -1;
            }
            if (fd >= 0)
                close(fd);
        }
        free(names[i]);
    }
    free(names);
    return failed;
}

static int mountOrSay(const char* source, const char* target, const char* type,
                      unsigned long flags, const char* options) {
    if (mount(source, target, type, flags, options) == 0)
        return 0;
    say("cannot mount", target);
    return -1;
}

// The 9p transport's device may still be probing when its module returns: try for a while.
static int mountShare(const char* tag, const char* target, unsigned long flags,
                      const char* options) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (mount(tag, target, "9p", flags, options) == 0)
            return 0;
        usleep(100 * 1000);
    }
    say("cannot mount the share", tag);
    return -1;
}

// mkdir -p: the results folder may lie under a folder the guest mounts afresh (/tmp).
static void makeFolders(char* path) {
    for (char* slash = strchr(path + 1, '/'); slash; slash = strchr(slash + 1, '/')) {
        *slash = '\0';
        mkdir(path, 0755);
        *slash = '/';
    }
    mkdir(path, 0755);
}

// The folder of the sources and the build, at its own path again where a fresh /tmp or /run
// hides it.
static int mountProject(const char* project) {
    char target[1024];
    if (!project || strcmp(project, "/") == 0)
        return 0;
    if (snprintf(target, sizeof target, "/root%s", project) >= (int)sizeof target) {
        say("too long a path", project);
        return -1;
    }
    makeFolders(target);
    return mountShare("project", target, MS_RDONLY,
                      "trans=virtio,version=9p2000.L,msize=512000,cache=loose");
}

static int run(const char* script) {
    const pid_t child = fork();
    if (child == 0) {
        execl("/bin/bash", "bash", script, (char*)NULL);
        say("cannot run", script);
        _exit(127);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

int main(void) {
    const char* script = getenv("VANTREL_GUEST_SCRIPT");
    const char* results = getenv("VANTREL_GUEST_RESULTS");
    char target[1024];
    mkdir("/dev", 0755);
    mountOrSay("devtmpfs", "/dev", "devtmpfs", 0, NULL);
    if (!script || !results)
        say("missing", "VANTREL_GUEST_SCRIPT or VANTREL_GUEST_RESULTS on the command line");
    else if (loadModules("/modules") == 0 &&
             mountShare("hostroot", "/root", MS_RDONLY,
                        "trans=virtio,version=9p2000.L,msize=512000,cache=loose") == 0 &&
             mountOrSay("proc", "/root/proc", "proc", 0, NULL) == 0 &&
             mountOrSay("sysfs", "/root/sys", "sysfs", 0, NULL) == 0 &&
             mountOrSay("devtmpfs", "/root/dev", "devtmpfs", 0, NULL) == 0 &&
             mountOrSay("tmpfs", "/root/tmp", "tmpfs", 0, "mode=1777") == 0 &&
             mountOrSay("tmpfs", "/root/run", "tmpfs", 0, "mode=755") == 0 &&
             mountProject(getenv("VANTREL_GUEST_PROJECT")) == 0 &&
             snprintf(target, sizeof target, "/root%s", results) > 0 && (makeFolders(target), 1) &&
             mountShare("results", target, 0, "trans=virtio,version=9p2000.L,msize=512000") == 0) {
        if (chroot("/root") != 0 || chdir("/") != 0)
            say("cannot enter", "/root");
        else
            run(script);
    }
    sync();
    reboot(RB_POWER_OFF);
    return 0;
}
