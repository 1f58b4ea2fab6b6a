//程序名:新的Qiv程序
//作者: 

int main()
{
    stack<int> st;
    st.push(3);

    return 0;
}
